#include "base/launcher_paths.h"

#include <pwd.h>
#include <unistd.h>

#include "base/environment.h"
#include "base/path_rules.h"
#include "base/platform.h"
#include "base/text.h"

namespace launcher {

// Linux executables carry no extension: a "." in the name is part of it (MyApp-1.5).
std::optional<std::wstring> ExecutableSettingsPath(const std::wstring& executablePath) {
  if (FileNameOf(executablePath, kPathSeparator).empty()) {
    return std::nullopt;
  }
  return executablePath + L".ini";
}

std::wstring PerUserSettingsFileName(const std::wstring& executablePath) {
  return FileNameOf(executablePath, kPathSeparator) + L".ini";
}

std::wstring UserSettingsRoot() {
  const std::optional<std::wstring> configHome = ReadEnvironmentVariable(L"XDG_CONFIG_HOME");
  if (configHome && IsAbsolutePath(*configHome)) {
    return *configHome;
  }
  std::optional<std::wstring> home = ReadEnvironmentVariable(L"HOME");
  if (!home || home->empty()) {
    const passwd* entry = getpwuid(getuid());
    if (entry == nullptr || entry->pw_dir == nullptr || entry->pw_dir[0] == '\0') {
      return std::wstring();
    }
    home = FromUtf8(entry->pw_dir);
  }
  return EnsureTrailingSeparator(*home, kPathSeparator) + L".config";
}

} // namespace launcher
