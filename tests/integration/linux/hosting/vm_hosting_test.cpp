// The hosting functions against each installed Java runtime, through vm_host_probe: a small
// host that calls them in the launcher's order and reads its settings file as the launcher
// does. Each run is a process of its own, since a process can host one VM only.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "launcher_test.h"

namespace launcher_test {
namespace {

namespace fs = std::filesystem;

struct InstalledRuntime {
  std::string name;
  std::string vmLibrary;
};

void PrintTo(const InstalledRuntime& runtime, std::ostream* out) {
  *out << runtime.name;
}

std::vector<InstalledRuntime> InstalledRuntimes() {
  std::vector<InstalledRuntime> runtimes;
  for (const char* name : {"java-17-openjdk-amd64", "temurin-25-jdk-amd64"}) {
    const std::string library = std::string("/usr/lib/jvm/") + name + "/lib/server/libjvm.so";
    if (fs::exists(library)) {
      runtimes.push_back({name, library});
    }
  }
  return runtimes;
}

std::string TestName(const ::testing::TestParamInfo<InstalledRuntime>& info) {
  std::string name;
  for (char c : info.param.name) {
    name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  }
  return name;
}

constexpr char kAppName[] = "probe-app";

class HostingTest : public LauncherTest, public ::testing::WithParamInterface<InstalledRuntime> {
protected:
  // The probe laid out as an application: itself under the application's name, its settings
  // and the fixtures jar in lib/.
  AppFolder& MakeProbeApp(const std::string& settings) {
    AppFolder& app = MakeApp(kAppName);
    app.Copy(HOSTING_PROBE, app.AppName());
    app.Copy(HOSTING_FIXTURE_JAR, "lib/hosting.jar");
    app.WriteSettings(settings);
    return app;
  }

  RunResult RunProbe(const AppFolder& app, std::vector<std::string> arguments,
                     std::map<std::string, std::optional<std::string>> environment = {}) {
    RunOptions options;
    options.arguments = std::move(arguments);
    options.environment = std::move(environment);
    options.environment["HOSTING_PROBE_JVM"] = GetParam().vmLibrary;
    RunResult run = app.Run(options);
    EXPECT_TRUE(run.started) << run.error;
    EXPECT_TRUE(run.exited) << run.Describe();
    return run;
  }
};

std::string Settings(const std::string& mainClass, const std::string& more = "",
                     const std::string& classPath = "lib\\*.jar") {
  return "[Java Runtime Environment]\nMain Class=" + mainClass + "\n" + more +
         "\n[Class Path]\nClass Path=" + classPath + "\n";
}

TEST_P(HostingTest, MainReceivesTheArgumentsAsGivenThenTheCmdTokens) {
  AppFolder& app = MakeProbeApp(Settings("hosting.Probe", "[Application]\nCmd=tail \"c d\"\n"));
  const RunResult run = RunProbe(app, {"args", "with blank", "", "quote\"inside",
                                       "\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80", "-nosplash"});
  EXPECT_EQ(run.exitCode, 0) << run.Describe();
  EXPECT_EQ(run.out,
            "<args>\n<with blank>\n<>\n<quote\"inside>\n<\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80>\n"
            "<-nosplash>\n<tail>\n<c d>\n");
  EXPECT_EQ(run.err, "");
}

TEST_P(HostingTest, ClassPathEntriesResolveBelowTheLauncherFolder) {
  for (const char* classPath :
       {"lib\\*.jar", "\\lib\\hosting.jar", "lib/hosting.jar", "\\lib\\*"}) {
    AppFolder& app = MakeProbeApp(Settings("hosting.Probe", "", classPath));
    const RunResult run = RunProbe(app, {"property", "java.class.path"});
    EXPECT_EQ(run.exitCode, 0) << classPath << ": " << run.Describe();
    EXPECT_EQ(run.out, "<" + app.Path("lib/hosting.jar") + ">\n") << classPath;
  }
}

TEST_P(HostingTest, VmParametersAreUnquotedAndSizedBeforeTheVmSeesThem) {
  AppFolder& app = MakeProbeApp(
      Settings("hosting.Probe",
               "Virtual Machine Parameters=-Dprobe.value=\"a b\"  -Xmx1:64:96P -Dprobe.other=x\n"));
  RunResult run = RunProbe(app, {"property", "probe.value"});
  EXPECT_EQ(run.exitCode, 0) << run.Describe();
  EXPECT_EQ(run.out, "<a b>\n");

  run = RunProbe(app, {"memory"});
  ASSERT_EQ(run.exitCode, 0) << run.Describe();
  // 1 % of this machine's memory, at least 64 MiB, at most 96 MiB.
  const long long maxMemory = std::stoll(run.out.substr(1));
  EXPECT_LE(maxMemory, 96LL * 1024 * 1024);
  EXPECT_GT(maxMemory, 48LL * 1024 * 1024);
}

TEST_P(HostingTest, MainRunsOnAThreadWithTheChosenStackSize) {
  const struct {
    const char* parameters;
    const char* expected;
  } cases[] = {
      {"", "main thread stack: 1048576\n"}, // the runtime's default
      {"Virtual Machine Parameters=-Xss3m\n", "main thread stack: 3145728\n"},
  };
  for (const auto& c : cases) {
    AppFolder& app = MakeProbeApp(Settings("hosting.Probe", c.parameters));
    const RunResult run = RunProbe(app, {"args"}, {{"HOSTING_PROBE_REPORT_STACK", "1"}});
    EXPECT_EQ(run.exitCode, 0) << run.Describe();
    EXPECT_EQ(run.err, c.expected);
  }
}

TEST_P(HostingTest, SystemExitGivesItsCode) {
  AppFolder& app = MakeProbeApp(Settings("hosting.Probe"));
  for (const char* code : {"0", "7", "200"}) {
    const RunResult run = RunProbe(app, {"exit", code});
    EXPECT_EQ(run.exitCode, std::stoi(code)) << run.Describe();
  }
}

// As with the java command: the VM reports the exception, and the process ends with 1 once
// the VM is destroyed, unless a thread that goes on ends the VM with a code of its own.
TEST_P(HostingTest, AnUncaughtExceptionWithoutFailureCheckEndsWithOne) {
  AppFolder& app = MakeProbeApp(Settings("hosting.Probe"));
  RunResult run = RunProbe(app, {"throw"});
  EXPECT_EQ(run.exitCode, 1) << run.Describe();
  EXPECT_NE(run.err.find("Exception in thread \"main\" java.lang.IllegalStateException: boom"),
            std::string::npos)
      << run.err;
  run = RunProbe(app, {"throw-exit-later", "3"});
  EXPECT_EQ(run.exitCode, 3) << run.Describe();
}

TEST_P(HostingTest, AnUncaughtExceptionWithFailureCheckShowsTheTraceAndStops) {
  AppFolder& app = MakeProbeApp(Settings("hosting.Probe", "[Application]\nFailure Check=yes\n"));
  // Even where the VM's default character set is plain ASCII, the trace arrives unchanged.
  const RunResult run = RunProbe(app, {"throw"}, {{"LC_ALL", "C"}, {"LANG", "C"}});
  EXPECT_EQ(run.exitCode, 255) << run.Describe();
  EXPECT_EQ(
      run.err.rfind("java.lang.IllegalStateException: boom \xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80\n"
                    "\tat hosting.Probe.main(Probe.java:",
                    0),
      0u)
      << run.err;
}

TEST_P(HostingTest, AMissingMainClassIsReportedByTheRuntimesLauncherHelper) {
  AppFolder& app = MakeProbeApp(Settings("hosting.Missing"));
  const RunResult run = RunProbe(app, {});
  // The helper prints its own text and ends the VM itself, with 1.
  EXPECT_EQ(run.exitCode, 1) << run.Describe();
  EXPECT_NE(run.err.find("Error: Could not find or load main class hosting.Missing"),
            std::string::npos)
      << run.err;
}

TEST_P(HostingTest, WithoutTheBootLoaderExportAMissingMainClassGivesMessage215) {
  AppFolder& app = MakeProbeApp(Settings("hosting.Missing"));
  const RunResult run = RunProbe(app, {}, {{"HOSTING_PROBE_NO_BOOT_LOADER", "1"}});
  EXPECT_EQ(run.exitCode, 255) << run.Describe();
  EXPECT_NE(run.err.find("java.lang.NoClassDefFoundError: hosting/Missing"), std::string::npos)
      << run.err;
  const std::string message = "Could not find the main class hosting/Missing.\n";
  EXPECT_EQ(run.err.substr(run.err.size() - std::min(run.err.size(), message.size())), message)
      << run.err;
}

TEST_P(HostingTest, WithoutTheBootLoaderExportAClassWithoutMainIsDescribed) {
  AppFolder& app = MakeProbeApp(Settings("hosting.NoMain"));
  const RunResult run = RunProbe(app, {}, {{"HOSTING_PROBE_NO_BOOT_LOADER", "1"}});
  EXPECT_EQ(run.exitCode, 255) << run.Describe();
  // The VM leaves the failed lookup pending, so it is described and message 216 stays unshown.
  EXPECT_EQ(run.err.rfind("Exception in thread \"main\" java.lang.NoSuchMethodError: ", 0), 0u)
      << run.err;
  EXPECT_EQ(run.err.find("No main method found"), std::string::npos) << run.err;
}

TEST_P(HostingTest, AClassWithoutMainIsReportedByTheRuntimesLauncherHelper) {
  AppFolder& app = MakeProbeApp(Settings("hosting.NoMain"));
  const RunResult run = RunProbe(app, {});
  EXPECT_EQ(run.exitCode, 1) << run.Describe();
  EXPECT_NE(run.err.find("Error: Main method not found in class hosting.NoMain"), std::string::npos)
      << run.err;
}

TEST_P(HostingTest, AnUnrecognisedVmOptionFailsCreationWithItsReason) {
  const struct {
    const char* option;
    const char* message;
  } cases[] = {
      // The runtime answers JNI_EINVAL for an unknown -XX option and JNI_ERR for other ones.
      {"-XX:+NoSuchHostingOption",
       "JNI exception: failed to create the Java VM\nReason: invalid arguments.\n"},
      {"-Xnosuchoption", "JNI exception: failed to create the Java VM\nReason: unknown.\n"},
  };
  for (const auto& c : cases) {
    AppFolder& app = MakeProbeApp(
        Settings("hosting.Probe", std::string("Virtual Machine Parameters=") + c.option + "\n"));
    const RunResult run = RunProbe(app, {});
    EXPECT_EQ(run.exitCode, 255) << run.Describe();
    const std::string message = c.message;
    ASSERT_GE(run.err.size(), message.size()) << run.err;
    EXPECT_EQ(run.err.substr(run.err.size() - message.size()), message) << run.err;
  }
}

TEST_P(HostingTest, VmLibrariesThatCannotBeBoundAreReported) {
  AppFolder& app = MakeProbeApp(Settings("hosting.Probe"));
  RunOptions options;
  options.environment["HOSTING_PROBE_JVM"] = app.Path("nothing/libjvm.so");
  RunResult run = app.Run(options);
  EXPECT_EQ(run.exitCode, 255) << run.Describe();
  EXPECT_EQ(run.err, "Failed to load Java VM library: " + app.Path("nothing/libjvm.so") +
                         ": No such file or directory.\n");

  // A library that exists but cannot be loaded on its own (it needs libjvm.so beside it): the
  // dynamic loader says why.
  const fs::path lib = fs::path(GetParam().vmLibrary).parent_path().parent_path();
  options.environment["HOSTING_PROBE_JVM"] = lib / "libzip.so";
  run = app.Run(options);
  EXPECT_EQ(run.exitCode, 255) << run.Describe();
  EXPECT_EQ(run.err,
            "Failed to load Java VM library: " + (lib / "libzip.so").string() +
                ": libjvm.so: cannot open shared object file: No such file or directory.\n");

  // A library of the runtime that is not the VM: it loads but lacks the exports.
  options.environment["HOSTING_PROBE_JVM"] = lib / "libjli.so";
  run = app.Run(options);
  EXPECT_EQ(run.exitCode, 255) << run.Describe();
  EXPECT_EQ(run.err, "The Java VM library " + (lib / "libjli.so").string() +
                         " does not export JNI_CreateJavaVM.\n");
}

TEST_P(HostingTest, StreamsGoToTheirFilesWithTheirPictures) {
  AppFolder& app = MakeProbeApp(Settings("hosting.Probe",
                                         "[Application]\nOutput File=logs\\out_%yyyy%.log\n"
                                         "Error File=logs\\err_%yyyy%.log\nError Append=yes\n"));
  app.MakeFolder("logs");
  const std::string year = std::to_string(1900 + [] {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return parts.tm_year;
  }());
  app.Write("logs/out_" + year + ".log", "old out\n");
  app.Write("logs/err_" + year + ".log", "old err\n");

  const RunResult run = RunProbe(app, {"streams"});
  EXPECT_EQ(run.exitCode, 0) << run.Describe();
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(app.Read("logs/out_" + year + ".log"), "to out\n") << "replaced";
  EXPECT_EQ(app.Read("logs/err_" + year + ".log"), "old err\nto err\n") << "appended";
}

// One moment names both files, milliseconds and all: both streams open one file, each with
// its own file stream, and both outputs land in it.
TEST_P(HostingTest, OnePictureNamesOneFileThatBothStreamsAppendTo) {
  const std::string file = "logs\\%yyyy-MM-dd_HH-mm-ss.L%.log";
  AppFolder& app = MakeProbeApp(Settings(
      "hosting.Probe", "[Application]\nOutput File=" + file +
                           "\nOutput Append=yes\nError File=" + file + "\nError Append=yes\n"));
  EXPECT_EQ(RunProbe(app, {"streams"}).exitCode, 0);
  std::vector<std::string> logs = app.Files();
  logs.erase(std::remove_if(logs.begin(), logs.end(),
                            [](const std::string& name) { return name.rfind("logs/", 0) != 0; }),
             logs.end());
  ASSERT_EQ(logs.size(), 1u) << ::testing::PrintToString(logs);
  EXPECT_EQ(app.Read(logs[0]), "to out\nto err\n");
}

TEST_P(HostingTest, StreamFoldersAreCreatedAndAnUnopenableFileIsDescribed) {
  AppFolder& app =
      MakeProbeApp(Settings("hosting.Probe", "[Application]\nOutput File=new\\deeper\\out.log\n"
                                             "Error File=err-is-a-folder\n"));
  app.MakeFolder("err-is-a-folder");
  const RunResult run = RunProbe(app, {"streams"});
  EXPECT_EQ(run.exitCode, 0) << run.Describe();
  EXPECT_EQ(app.Read("new/deeper/out.log"), "to out\n");
  EXPECT_NE(run.err.find("java.io.FileNotFoundException: err-is-a-folder"), std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("to err"), std::string::npos) << "the error stream stays as it was";
}

TEST_P(HostingTest, TheApplicationSeesTheChosenRuntimeAndTheLibraryPath) {
  AppFolder& app = MakeProbeApp(
      Settings("hosting.Probe", "Library Path=native\\a;native\\b\nSystem Path=/sys/x\n"));
  const fs::path home = fs::path(GetParam().vmLibrary).parent_path().parent_path().parent_path();
  RunResult run = RunProbe(app, {"environment", "ZL_JVM_PATH", "ZL_JVM_HOME", "PATH"},
                           {{"PATH", "/usr/bin:/bin"}});
  EXPECT_EQ(run.exitCode, 0) << run.Describe();
  EXPECT_EQ(run.out, "<" + GetParam().vmLibrary + ">\n<" + home.string() + ">\n<" +
                         "/sys/x:/usr/bin:/bin:" + (home / "bin").string() + ">\n");

  run = RunProbe(app, {"property", "java.library.path"}, {{"PATH", "/usr/bin:/bin"}});
  EXPECT_EQ(run.exitCode, 0) << run.Describe();
  EXPECT_EQ(run.out, "<native/a:native/b:" + app.Folder() +
                         "/:.:/usr/bin:/bin:" + (home / "lib").string() + ">\n");
}

TEST_P(HostingTest, OnAnIbmRuntimeTheMainThreadWaitsForTheVmToEnd) {
  AppFolder& app = MakeProbeApp(Settings("hosting.Probe"));
  const RunResult run = RunProbe(app, {"exit-later", "4"}, {{"HOSTING_PROBE_IBM", "1"}});
  EXPECT_EQ(run.exitCode, 4) << run.Describe();
}

INSTANTIATE_TEST_SUITE_P(Runtimes, HostingTest, ::testing::ValuesIn(InstalledRuntimes()), TestName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(HostingTest);

} // namespace
} // namespace launcher_test
