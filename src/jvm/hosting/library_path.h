#pragma once

// The native library path of the VM and the environment published to the application:
// ZL_JVM_PATH (the VM library), ZL_JVM_HOME (the runtime's home) and the extended search
// path (Windows "Path" with ";", Linux "PATH" with ":"), inherited by every process the
// application starts.
//
// "Library Path" and "System Path" are lists written with ";" in the settings file, which
// serves both platforms; on Linux their ";" become ":" and their "\" become "/".

#include <string>

#include "jvm/hosting/vm_launch_state.h"

namespace launcher {

// A list setting in the platform's own separators.
std::wstring NativePathListFromSetting(std::wstring text);

// The value of java.library.path before expansion: the library path (ending in a list
// separator), the launcher's folder (with its trailing separator), ".", the search path as
// a %reference% (left out when the variable is not set, so no literal reference survives),
// and the runtime's lib folder.
std::wstring LibraryPathText(const std::wstring& libraryPath, const std::wstring& launcherFolder,
                             bool searchPathIsSet, const std::wstring& runtimeLibFolder);

// The new search path before expansion: the "System Path" folders (ending in a list
// separator), the old search path as a %reference% (left out when not set), then the
// runtime's bin folder.
std::wstring SearchPathText(const std::wstring& systemPath, bool searchPathIsSet,
                            const std::wstring& runtimeBinFolder);

// Sets ZL_JVM_PATH to the VM library's path and ZL_JVM_HOME to the runtime's home.
void PublishJvmLocation(const std::wstring& jvmDllPath);

// Publishes the VM location, puts "-Djava.library.path=..." first among the VM options when
// `libraryPath` is not empty, and extends the search path. Nothing here reports an error.
void SetLibraryPathAndEnvironment(const std::wstring& jvmDllPath, const std::wstring& libraryPath,
                                  const std::wstring& systemPath, VmLaunchState& vm);

} // namespace launcher
