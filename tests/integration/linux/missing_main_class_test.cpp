// A launcher that cannot tell which class to run says so and ends with -1 (255), whatever
// the reason the main class is missing, and leaves no file behind.

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "launcher_test.h"

namespace launcher_test {
namespace {

constexpr char kMainClassMissing[] = "Main class was not specified in INI file.";

struct MissingMainClassCase {
  const char* name;
  const char* appName;
  std::optional<std::string> settings; // nullopt: no settings file at all
};

class MissingMainClassTest : public LauncherTest,
                             public ::testing::WithParamInterface<MissingMainClassCase> {};

TEST_P(MissingMainClassTest, ShowsMessage210AndEndsWithMinusOne) {
  const MissingMainClassCase& c = GetParam();
  AppFolder& app = MakeApp(c.appName);
  if (c.settings) {
    app.WriteSettings(*c.settings);
  }
  const std::vector<std::string> before = app.Files();

  const RunResult run = app.Run();

  ASSERT_TRUE(run.started) << run.error;
  EXPECT_TRUE(run.exited) << run.Describe();
  EXPECT_EQ(run.exitCode, 255) << run.Describe();
  EXPECT_EQ(run.err, std::string(kMainClassMissing) + "\n") << run.Describe();
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(app.Files(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, MissingMainClassTest,
    ::testing::Values(
        MissingMainClassCase{"NoMainClassKey", "tool",
                             "[Java Runtime Environment]\nMinimum Version=1.8\n\n"
                             "[Class Path]\nClass Path=lib\\*.jar\n"},
        MissingMainClassCase{"NoSettingsFile", "tool", std::nullopt},
        MissingMainClassCase{"EmptySettingsFile", "tool", ""},
        MissingMainClassCase{"EmptyMainClass", "tool", "[Java Runtime Environment]\nMain Class=\n"},
        MissingMainClassCase{"MainClassInAnotherSection", "tool",
                             "[Application]\nMain Class=fixtures.Hello\n"},
        MissingMainClassCase{"NameWithExtension", "tool.bin", "[Java Runtime Environment]\n"},
        MissingMainClassCase{"CrLfLinesWithoutMainClass", "tool",
                             "[Java Runtime Environment]\r\nJVM Type=server\r\n"}),
    [](const ::testing::TestParamInfo<MissingMainClassCase>& info) {
      return std::string(info.param.name);
    });

// Which file is the settings file: the launcher's whole file name followed by ".ini" (Linux
// executables carry no extension); the folder's name plays no part. The right file names a
// main class and every other candidate does not, so message 210 means the wrong file was read.
struct SettingsNameCase {
  const char* name;
  const char* appName;
  const char* launcherFolder;
  const char* settingsName;
  std::vector<const char*> decoys;
};

class SettingsNameTest : public LauncherTest,
                         public ::testing::WithParamInterface<SettingsNameCase> {};

TEST_P(SettingsNameTest, ReadsTheSettingsFileNamedAfterTheLauncher) {
  const SettingsNameCase& c = GetParam();
  AppFolder& app = MakeApp(c.appName, c.launcherFolder);
  app.Write(c.settingsName, "[Java Runtime Environment]\nMain Class=fixtures.Hello\n\n"
                            "[Class Path]\nClass Path=fixtures.jar\n");
  app.Copy(FixtureJar(), "fixtures.jar");
  for (const char* decoy : c.decoys) {
    app.Write(decoy, "[Java Runtime Environment]\n");
  }

  const RunResult run = app.Run();

  ASSERT_TRUE(run.started) << run.error;
  EXPECT_FALSE(run.timedOut) << run.Describe();
  EXPECT_EQ(run.err.find(kMainClassMissing), std::string::npos) << run.Describe();
}

INSTANTIATE_TEST_SUITE_P(
    Settings, SettingsNameTest,
    ::testing::Values(
        SettingsNameCase{"RenamedWithoutExtension", "tool", "", "tool.ini", {"launcher.ini"}},
        SettingsNameCase{"VersionedName", "MyApp-1.5", "", "MyApp-1.5.ini", {"MyApp-1.ini"}},
        SettingsNameCase{
            "DotsInTheName", "my.tool.bin", "", "my.tool.bin.ini", {"my.tool.ini", "my.ini"}},
        SettingsNameCase{"DotInTheFolderName", "tool", "my.apps", "tool.ini", {"../my.ini"}}),
    [](const ::testing::TestParamInfo<SettingsNameCase>& info) {
      return std::string(info.param.name);
    });

} // namespace
} // namespace launcher_test
