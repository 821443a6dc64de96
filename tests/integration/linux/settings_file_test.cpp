// The settings file: named after the launcher's whole file name (a "." in it or in its folder's
// name is part of that name), at most 16 MiB, naming the main class.

#include "harness.h"

namespace launcher_test {
namespace {

const std::string kNoMainClass = "Main class was not specified in INI file.\n";
const std::string kDecoy = "[Java Runtime Environment]\n"; // message 210 if read

std::string Padded(std::string text, size_t size) {
  text += ';';
  text.resize(size - 1, 'x');
  return text + '\n';
}

const Case kCases[] = {
    Case("NoSettingsFile", std::nullopt, {}, 255, "", kNoMainClass),
    Case("EmptyMainClass", Ini("Main Class=\n"), {}, 255, "", kNoMainClass),
    Case("MainClassInAnotherSection", "[Application]\nMain Class=fixtures.App\n" + kDecoy, {}, 255,
         "", kNoMainClass),
    Case("QuotedValue", Ini("Main Class=\"fixtures.App\"\n"), {"ok"}, 0, "<ok>\n", ""),
    Case("Renamed", Ini(""), {"ok"}, 0, "<ok>\n", "",
         {{"launcher.ini", kDecoy}, {"../my.ini", kDecoy}}),
    Case("VersionedName", Ini(""), {"ok"}, 0, "<ok>\n", "", {{"MyApp-1.ini", kDecoy}}, {},
         "MyApp-1.5"),
    Case("DotsInTheName", Ini(""), {"ok"}, 0, "<ok>\n", "",
         {{"my.tool.ini", kDecoy}, {"my.ini", kDecoy}}, {}, "my.tool.bin"),
    Case("Largest", Padded(Ini(""), 16 << 20), {"ok"}, 0, "<ok>\n", ""),
    Case("TooLarge", Padded(Ini(""), (16 << 20) + 1), {}, 255, "",
         "The settings file {app}/tool.ini was not read: it is larger than 16 MiB.\n"),
};

INSTANTIATE_TEST_SUITE_P(Launcher, LauncherTest, testing::ValuesIn(kCases), CaseName);

} // namespace
} // namespace launcher_test
