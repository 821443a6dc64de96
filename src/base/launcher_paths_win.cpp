#include "base/launcher_paths.h"

#include "base/environment.h"
#include "base/path_rules.h"
#include "base/platform.h"

namespace launcher {

std::optional<std::wstring> ExecutableSettingsPath(const std::wstring& executablePath) {
  return SettingsPathFor(executablePath);
}

std::wstring PerUserSettingsFileName(const std::wstring& executablePath) {
  std::wstring name = FileNameOf(executablePath, kPathSeparator);
  const size_t dot = name.rfind(L'.');
  if (dot != std::wstring::npos) {
    name.erase(dot);
  }
  return name + L".ini";
}

std::wstring UserSettingsRoot() {
  // Read whole, however long; an unset variable gives a path from the root of the current
  // drive, as the profile functions would resolve it.
  return ReadEnvironmentVariable(L"APPDATA").value_or(std::wstring());
}

} // namespace launcher
