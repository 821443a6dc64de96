#include "base/launcher_paths.h"

#include "base/files.h"
#include "base/message_ids.h"
#include "base/module_path.h"
#include "base/path_rules.h"
#include "base/platform.h"
#include "base/string_table.h"

namespace launcher {

std::optional<std::wstring> ModulePath(WindowHandle owner) {
  int errorCode = 0;
  std::optional<std::wstring> path = ReadModulePath(errorCode);
  if (!path) {
    ShowErrorMessage(owner, LoadResourceString(kMsgWindowsException),
                     LoadResourceString(kMsgModulePathFailed), errorCode);
  }
  return path;
}

std::optional<std::wstring> LauncherSettingsPath(WindowHandle owner) {
  const std::optional<std::wstring> modulePath = ModulePath(owner);
  if (!modulePath) {
    return std::nullopt;
  }
  return ExecutableSettingsPath(*modulePath);
}

std::wstring PerUserSettingsPath(const std::wstring& productName, const std::wstring& productCode,
                                 const std::wstring& executablePath, bool createFolders) {
  if (executablePath.empty()) {
    return std::wstring();
  }
  std::wstring path = UserSettingsRoot();
  if (createFolders && !path.empty()) {
    // Normally there already; a fresh account may not have it yet, and without it the
    // product folders below could never be made.
    CreateFolder(path);
  }
  path += kPathSeparator;
  path += SanitizeFolderName(productName);
  if (createFolders) {
    CreateFolder(path);
  }
  path += kPathSeparator;
  path += productCode;
  if (createFolders) {
    CreateFolder(path);
  }
  path += kPathSeparator;
  path += PerUserSettingsFileName(executablePath);
  return path;
}

void ApplyWorkingDirOverride(WindowHandle owner) {
  const std::optional<std::wstring> modulePath = ModulePath(owner);
  if (!modulePath) {
    return;
  }
  const size_t last = modulePath->rfind(kPathSeparator);
  if (last == std::wstring::npos || last == 0) {
    return;
  }
  // A launcher in the root of a drive gives the bare drive (C:), which Windows resolves to
  // that drive's current directory. A failure leaves the directory as it was.
  SetCurrentFolder(modulePath->substr(0, last));
}

} // namespace launcher
