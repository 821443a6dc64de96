// The harness itself: every later test trusts it to report exactly how a program ended and
// what it printed, and never to hang on a program that does not end.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app_folder.h"
#include "launcher_process.h"

namespace launcher_test {
namespace {

struct ShellCase {
  const char* name;
  const char* script;
  RunOptions options;
  bool exited;
  int exitCode;
  int signal;
  bool timedOut;
  const char* out;
  const char* err;
};

RunOptions WithEnvironment() {
  RunOptions options;
  options.environment["LAUNCHER_TEST_SET"] = "set value";
  options.environment["HOME"] = std::nullopt;
  return options;
}

RunOptions InFolder(const std::string& folder) {
  RunOptions options;
  options.workingDirectory = folder;
  return options;
}

RunOptions WithBound(std::chrono::milliseconds bound) {
  RunOptions options;
  options.bound = bound;
  return options;
}

class ShellRunTest : public ::testing::TestWithParam<ShellCase> {};

TEST_P(ShellRunTest, ReportsHowTheProgramEndedAndWhatItPrinted) {
  const ShellCase& c = GetParam();
  RunOptions options = c.options;
  options.arguments.insert(options.arguments.begin(), {"-c", c.script});
  const RunResult run = RunProgram("/bin/sh", options);
  ASSERT_TRUE(run.started) << run.error;
  EXPECT_EQ(run.exited, c.exited) << run.Describe();
  if (c.exited) {
    EXPECT_EQ(run.exitCode, c.exitCode) << run.Describe();
  }
  EXPECT_EQ(run.signal, c.signal) << run.Describe();
  EXPECT_EQ(run.timedOut, c.timedOut) << run.Describe();
  EXPECT_EQ(run.out, c.out);
  EXPECT_EQ(run.err, c.err);
}

INSTANTIATE_TEST_SUITE_P(
    Harness, ShellRunTest,
    ::testing::Values(
        ShellCase{"ExitCode", "exit 3", {}, true, 3, 0, false, "", ""},
        ShellCase{"ExitCodeMinusOne", "exit 255", {}, true, 255, 0, false, "", ""},
        ShellCase{"BothStreams",
                  "printf 'to out'; printf 'to err' >&2",
                  {},
                  true,
                  0,
                  0,
                  false,
                  "to out",
                  "to err"},
        ShellCase{"EnvironmentSetAndRemoved",
                  "printf '%s|%s' \"$LAUNCHER_TEST_SET\" \"${HOME-none}\"", WithEnvironment(), true,
                  0, 0, false, "set value|none", ""},
        ShellCase{"WorkingFolder", "pwd", InFolder("/"), true, 0, 0, false, "/\n", ""},
        ShellCase{"Signal", "kill -TERM $$", {}, false, -1, 15, false, "", ""},
        ShellCase{"KilledPastItsBound", "echo started; exec sleep 600",
                  WithBound(std::chrono::milliseconds(300)), false, -1, 0, true, "started\n", ""},
        ShellCase{"DescendantHoldingTheStreams",
                  "sleep 600 & echo parent done",
                  {},
                  true,
                  0,
                  0,
                  false,
                  "parent done\n",
                  ""},
        ShellCase{"ManyBytes",
                  "head -c 1000000 /dev/zero | tr '\\0' x | head -c 5",
                  {},
                  true,
                  0,
                  0,
                  false,
                  "xxxxx",
                  ""}),
    [](const ::testing::TestParamInfo<ShellCase>& info) { return std::string(info.param.name); });

TEST(Harness, ReportsAProgramThatCannotStart) {
  const RunResult run = RunProgram("/nonexistent/program", {});
  EXPECT_FALSE(run.started);
  EXPECT_NE(run.error.find("No such file"), std::string::npos) << run.error;
}

TEST(Harness, ReportsAWorkingFolderThatDoesNotExist) {
  const RunResult run = RunProgram("/bin/true", InFolder("/nonexistent/folder"));
  EXPECT_FALSE(run.started);
  EXPECT_NE(run.error.find("chdir"), std::string::npos) << run.error;
}

TEST(Harness, PassesArgumentsUnchanged) {
  RunOptions options;
  options.arguments = {"-c", "printf '[%s]' \"$@\"", "zero", "", "with space", "Grüße \"q\""};
  const RunResult run = RunProgram("/bin/sh", options);
  EXPECT_EQ(run.out, "[][with space][Grüße \"q\"]") << run.Describe();
}

// The Java fixtures are built by CMake from java/; the installed runtime runs them.
TEST(Harness, BuildsTheJavaFixtures) {
  RunOptions options;
  options.arguments = {"-cp", FixtureJar(), "fixtures.Hello", "one", "two words"};
  const RunResult run = RunProgram(JavaExecutable(), options);
  EXPECT_EQ(run.exitCode, 0) << run.Describe();
  EXPECT_EQ(run.out, "Hello from the fixture\narg[0]=one\narg[1]=two words\n") << run.Describe();
}

TEST(Harness, LaysOutTheApplicationFolder) {
  AppFolder app("tool.bin", "my.apps");
  app.WriteSettings("[x]\n");
  app.Copy(FixtureJar(), "lib/fixtures.jar");
  EXPECT_EQ(app.SettingsName(), "tool.bin.ini");
  EXPECT_EQ(app.Files(),
            (std::vector<std::string>{"lib", "lib/fixtures.jar", "tool.bin", "tool.bin.ini"}));
  EXPECT_EQ(app.Read("tool.bin.ini"), "[x]\n");
  EXPECT_EQ(AppFolder("tool").SettingsName(), "tool.ini");
}

} // namespace
} // namespace launcher_test
