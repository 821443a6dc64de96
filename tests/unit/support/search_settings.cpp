#include "unit/support/search_settings.h"

#include "settings/settings_reader.h"

namespace launcher::testing {

LauncherSettings SettingsFrom(const ScratchFolder& folder, const std::string& lines) {
  LauncherSettings s;
  const std::string any = lines.find("Maximum") == std::string::npos ? "Maximum Version=any\n" : "";
  ReadSettings(SettingsReader(folder.Write(
                   L"app.ini", "[Java Runtime Environment]\nMain Class=M\n" + any + lines)),
               L"", s);
  return s;
}

} // namespace launcher::testing
