#include "settings/jre_path_writeback.h"

#include <optional>

#include "base/launcher_paths.h"
#include "settings/ini_file.h"
#include "settings/settings_keys.h"

namespace launcher {
namespace {

void WriteJrePath(const std::wstring& file, const std::wstring& javaHome) {
  if (!file.empty()) {
    IniFile(file).WriteString(kSectionJavaRuntime, kKeyJrePath, javaHome);
  }
}

} // namespace

void WriteBackJrePath(const std::wstring& javaHome, const std::wstring& modulePath,
                      const LauncherSettings& settings) {
  const std::optional<std::wstring> settingsPath = ExecutableSettingsPath(modulePath);
  if (!settingsPath) {
    return;
  }
  if (settings.isService) {
    WriteJrePath(*settingsPath, javaHome);
    if (!settings.pairProduct.empty()) {
      if (const std::optional<std::wstring> paired = ExecutableSettingsPath(settings.pairProduct)) {
        WriteJrePath(*paired, javaHome);
      }
    }
    return;
  }
  WriteJrePath(PerUserSettingsPath(settings.productName, settings.productCode, modulePath, true),
               javaHome);
  if (!settings.pairProduct.empty()) {
    WriteJrePath(
        PerUserSettingsPath(settings.productName, settings.productCode, settings.pairProduct, true),
        javaHome);
  }
}

} // namespace launcher
