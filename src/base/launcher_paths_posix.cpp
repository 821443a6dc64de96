#include "base/launcher_paths.h"

#include <pwd.h>
#include <unistd.h>

#include "base/environment.h"
#include "base/path_rules.h"
#include "base/platform.h"
#include "base/text.h"

namespace launcher {

std::optional<std::wstring> ExecutableSettingsPath(const std::wstring& executablePath) {
  const std::wstring name = FileNameOf(executablePath, kPathSeparator);
  if (name.empty()) {
    return std::nullopt;
  }
  const std::wstring folder = executablePath.substr(0, executablePath.size() - name.size());
  const size_t dot = name.rfind(L'.');
  if (dot == std::wstring::npos) {
    return folder + name + L".ini";
  }
  return folder + name.substr(0, dot + 1) + L"ini";
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
