#pragma once

#include <string>

#include "settings/launcher_settings.h"
#include "unit/support/scratch_folder.h"

namespace launcher::testing {

// Settings as the file writes them ("[Java Runtime Environment]" lines), any version admitted
// unless they bound it.
LauncherSettings SettingsFrom(const ScratchFolder& folder, const std::string& lines);

} // namespace launcher::testing
