// The settings file: named after the launcher's whole file name (a "." in it or in its folder's
// name is part of that name), at most 16 MiB, naming the main class.

#include <sys/inotify.h>
#include <unistd.h>

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
    // A FIFO counts as absent, and nothing waits on it.
    Case("Fifo", std::nullopt, {}, 255, "", kNoMainClass, {{"tool.ini", "@fifo"}}),
    Case("EndlessDevice", std::nullopt, {}, 255, "", kNoMainClass,
         {{"tool.ini", "@link:/dev/zero"}}),
    Case("PerUserFifo", Ini("") + "[Product Information]\nProduct Name=P\nProduct Code=C\n", {"ok"},
         0, "<ok>\n", "", {{"../P/C/tool.ini", "@fifo"}}),
    Case("TooLarge", Padded(Ini(""), (16 << 20) + 1), {}, 255, "",
         "The settings file {app}/tool.ini was not read: it is larger than 16 MiB.\n"),
};

INSTANTIATE_TEST_SUITE_P(Launcher, LauncherTest, testing::ValuesIn(kCases), CaseName);

// Read once, however many settings the start asks for: a file changed during the start cannot
// give one half of the settings from one version and the rest from another.
TEST(SettingsFile, IsOpenedOnce) {
  const App app("tool", LAUNCHER);
  app.Write("tool.ini", Ini("Virtual Machine Parameters=-Dx=y\n", "Cmd=a b\n"));
  const int watch = inotify_init1(IN_NONBLOCK);
  ASSERT_GE(inotify_add_watch(watch, app.Path("tool.ini").c_str(), IN_OPEN), 0);
  EXPECT_EQ(app.Start({"ok"}).code, 0);
  int opens = 0;
  inotify_event event;
  while (read(watch, &event, sizeof event) == sizeof event) {
    opens++;
  }
  close(watch);
  EXPECT_EQ(opens, 1);
}

} // namespace
} // namespace launcher_test
