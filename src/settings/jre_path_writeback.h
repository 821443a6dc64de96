#pragma once

// Remembering the runtime folder that the user picked when no runtime was found, as
// [Java Runtime Environment] "JRE Path", where the next start reads it back:
// - a service writes into the launcher settings file beside the executable and, when "Pair
//   Product" is set and has a settings file name, into the paired program's settings file;
// - any other application writes into its per-user settings file, creating its folders, and,
//   when "Pair Product" is set, into the paired program's per-user settings file likewise.
// Nothing is written when the launcher's own settings file name cannot be formed. Write
// failures are ignored: the launch goes on with the folder either way.

#include <string>

#include "settings/launcher_settings.h"

namespace launcher {

// javaHome is written as given (the dialog hands it with a trailing separator).
void WriteBackJrePath(const std::wstring& javaHome, const std::wstring& modulePath,
                      const LauncherSettings& settings);

} // namespace launcher
