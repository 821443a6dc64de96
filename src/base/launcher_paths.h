#pragma once

// Where the launcher finds itself and its settings files.
//
// The launcher settings file sits beside the executable. Windows: the module path with
// everything after its last "." replaced by "ini" (C:\my.app\tool gives C:\my.ini, a path
// without any "." has none). Linux, where executables carry no extension: the whole file name
// followed by ".ini" (/opt/MyApp-1.5 gives /opt/MyApp-1.5.ini).
//
// The per-user settings file lies below the user's settings root. Windows: %APPDATA%.
// Linux: $XDG_CONFIG_HOME when it names an absolute folder, else $HOME/.config, else the
// .config folder in the home directory of the user's account entry.

#include <optional>
#include <string>

#include "base/error_message.h"

namespace launcher {

// The full path of the launcher executable. On failure shows message 202 with 208 and the
// system's error code, owned by owner, and returns nothing; every failing call reports again.
std::optional<std::wstring> ModulePath(WindowHandle owner);

// The settings file of an executable (rule above); nothing for an empty path, and on Windows
// for a path without ".".
std::optional<std::wstring> ExecutableSettingsPath(const std::wstring& executablePath);

// The launcher settings file: ExecutableSettingsPath of ModulePath. Nothing when either fails
// (ModulePath has then reported its failure).
std::optional<std::wstring> LauncherSettingsPath(WindowHandle owner);

// The folder that holds the per-user settings of every product; empty when the platform
// gives none.
std::wstring UserSettingsRoot();

// The file name of an executable's per-user settings file. Windows: its file name cut at the
// last "." (when it has one) and ".ini" appended (C:\Apps\Tool.exe gives Tool.ini). Linux:
// the whole file name and ".ini" (/opt/MyApp-1.5 gives MyApp-1.5.ini).
std::wstring PerUserSettingsFileName(const std::wstring& executablePath);

// root\(productName without \?"|><:/*)\productCode\(PerUserSettingsFileName). Empty when
// executablePath is empty. With createFolders the two product folders are created (existing
// ones are fine, failures are left to the later write).
std::wstring PerUserSettingsPath(const std::wstring& productName, const std::wstring& productCode,
                                 const std::wstring& executablePath, bool createFolders);

// Makes the launcher's own folder the current directory. Does nothing when the module path
// cannot be read or has no folder part other than the root.
void ApplyWorkingDirOverride(WindowHandle owner);

} // namespace launcher
