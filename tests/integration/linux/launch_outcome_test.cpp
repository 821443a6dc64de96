// How a launch ends, seen through the launcher with the installed runtime: the exit code of
// an application whose main throws, what is (and is not) on its class path, a run that is not
// held open by rules meant for other runtimes, and the working folder the runtime search sees.

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "launcher_test.h"

namespace launcher_test {
namespace {

std::string Settings(const std::string& javaLines, const std::string& classPath = "\\fixtures.jar",
                     const std::string& applicationLines = "") {
  return "[Java Runtime Environment]\nMain Class=fixtures.Outcome\nMaximum Version=any\n" +
         javaLines + "[Class Path]\nClass Path=" + classPath + "\n[Application]\n" +
         applicationLines;
}

class LaunchOutcomeTest : public LauncherTest {
protected:
  AppFolder& App(const std::string& settings) {
    AppFolder& app = MakeApp("outcome");
    app.Copy(FixtureJar(), "fixtures.jar");
    app.WriteSettings(settings);
    return app;
  }
  static RunResult Run(const AppFolder& app, std::vector<std::string> arguments,
                       const std::string& workingDirectory = "") {
    RunOptions options;
    options.arguments = std::move(arguments);
    options.workingDirectory = workingDirectory;
    RunResult run = app.Run(options);
    EXPECT_TRUE(run.exited) << run.Describe();
    return run;
  }
};

// As with the java command, a crashed application is no success: 1 without "Failure Check";
// "VM Provider" admitting IBM does not keep a run on another vendor's runtime open.
TEST_F(LaunchOutcomeTest, ExitCodes) {
  struct Case {
    std::string javaLines, mode;
    int exitCode;
  };
  for (const Case& c :
       {Case{"", "throw", 1}, Case{"", "return", 0}, Case{"VM Provider=any\n", "return", 0},
        Case{"VM Provider=favor_ibm\n", "throw", 1}}) {
    const RunResult run = Run(App(Settings(c.javaLines)), {c.mode});
    EXPECT_EQ(run.exitCode, c.exitCode) << c.javaLines << c.mode << run.Describe();
  }
}

// Only what the settings name is on the class path: not the folder the user starts from,
// unless the settings write "."; a class path that comes out empty starts no VM at all.
TEST_F(LaunchOutcomeTest, TheCurrentFolderIsOnTheClassPathOnlyWhenNamed) {
  const AppFolder& app = App(Settings(""));
  app.Write("start/planted.txt", "");
  EXPECT_EQ(Run(app, {"resource", "planted.txt"}, app.Path("start")).out, "planted.txt absent\n");
  const AppFolder& named = App(Settings("", "\\fixtures.jar;."));
  named.Write("start/planted.txt", "");
  EXPECT_EQ(Run(named, {"resource", "planted.txt"}, named.Path("start")).out,
            "planted.txt found\n");

  const RunResult empty = Run(App(Settings("", "\\missing.jar")), {"return"});
  EXPECT_EQ(empty.exitCode, 255);
  EXPECT_EQ(empty.err, "Java Class Path was not specified in INI file.\n");
  EXPECT_EQ(empty.out, "");
}

// "Override WorkingDir" applies before the runtime search: a relative "JRE Path" is found
// from the launcher's folder only with it.
TEST_F(LaunchOutcomeTest, TheWorkingFolderIsChangedBeforeTheRuntimeSearch) {
  for (const bool overrideWorkingDir : {true, false}) {
    AppFolder& app = App(Settings("JRE Path=rt\nMinimum Version=99\n", "\\fixtures.jar",
                                  overrideWorkingDir ? "Override WorkingDir=yes\n" : ""));
    std::filesystem::create_directory_symlink("/usr/lib/jvm/java-17-openjdk-amd64", app.Path("rt"));
    const RunResult run = Run(app, {"return"}, "/");
    EXPECT_EQ(run.exitCode, overrideWorkingDir ? 0 : 255) << run.Describe();
  }
}

} // namespace
} // namespace launcher_test
