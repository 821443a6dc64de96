// The runtime search on this machine: first the search functions against the runtimes
// installed in the system's runtime folders, then the launcher itself choosing among them,
// falling back to the Missing-JRE message, and handing a 32-bit runtime to its paired program.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "base/text.h"
#include "jvm/discovery/jvm_layout.h"
#include "jvm/discovery/runtime_folder_registry.h"
#include "jvm/discovery/runtime_search.h"
#include "launcher_test.h"
#include "unit/support/image_bytes.h"

namespace launcher_test {
namespace {

using launcher::FromUtf8;
using launcher::ToUtf8;

// The major version of the runtime at a home, from its release file; 0 when unknown.
int ReleaseMajor(const std::string& home) {
  std::ifstream release(home + "/release");
  std::string line;
  while (std::getline(release, line)) {
    if (line.rfind("JAVA_VERSION=", 0) == 0) {
      std::string value = line.substr(13);
      if (!value.empty() && value.front() == '"') {
        value = value.substr(1);
      }
      return std::atoi(value.c_str());
    }
  }
  return 0;
}

// The installed runtimes the launcher can host, by major version: the first home of each.
std::map<int, std::string> InstalledMajors() {
  std::map<int, std::string> majors;
  launcher::RuntimeFolderRegistry registry(launcher::SystemRuntimeRoots());
  for (const auto& runtime : registry.Runtimes()) {
    if (runtime.inNativeView) {
      const std::string home = ToUtf8(runtime.javaHome);
      majors.emplace(ReleaseMajor(home), home);
    }
  }
  return majors;
}

launcher::LauncherSettings SettingsFor(const wchar_t* minimum, const wchar_t* maximum) {
  launcher::LauncherSettings settings;
  settings.minimumVersion = launcher::ParseVersion(minimum, 0);
  settings.maximumVersion = launcher::ParseVersion(maximum, 65535);
  return settings;
}

TEST(InstalledRuntimesTest, Jdk17IsListedUnderTheJavaSoftRuntimeKey) {
  const std::map<int, std::string> majors = InstalledMajors();
  ASSERT_EQ(majors.count(17), 1u) << "this machine is set up with JDK 17 in /usr/lib/jvm";
  std::unique_ptr<launcher::RuntimeRegistry> registry = launcher::OpenSystemRuntimeRegistry();
  bool listed = false;
  for (const std::wstring& version : registry->ListVersionKeys(launcher::kJavaSoftJreKey, false)) {
    const std::optional<std::wstring> home =
        registry->QueryJavaHome(launcher::kJavaSoftJreKey, version, false);
    ASSERT_TRUE(home) << ToUtf8(version);
    listed |= ReleaseMajor(ToUtf8(*home)) == 17 && version.rfind(L"17", 0) == 0;
  }
  EXPECT_TRUE(listed);
}

struct SearchCase {
  const char* name;
  const wchar_t* minimum;
  const wchar_t* maximum;
  const wchar_t* preferred;
  int expectedMajor; // 0: the highest installed
};

class InstalledRuntimeSearchTest : public ::testing::TestWithParam<SearchCase> {};

TEST_P(InstalledRuntimeSearchTest, ChoosesWithinTheRangeAndByPreference) {
  const SearchCase& c = GetParam();
  const std::map<int, std::string> majors = InstalledMajors();
  const int expected = c.expectedMajor == 0 ? majors.rbegin()->first : c.expectedMajor;
  if (majors.count(expected) == 0) {
    GTEST_SKIP() << "no runtime of version " << expected << " installed";
  }
  launcher::LauncherSettings settings = SettingsFor(c.minimum, c.maximum);
  settings.preferredVersions = launcher::SplitList(c.preferred, L';');
  std::unique_ptr<launcher::RuntimeRegistry> registry = launcher::OpenSystemRuntimeRegistry();

  const auto found = launcher::SearchForRuntime(settings, std::nullopt, *registry);

  ASSERT_TRUE(found);
  EXPECT_EQ(found->source, launcher::RuntimeSource::kRegistry);
  EXPECT_FALSE(found->relaunchPaired);
  EXPECT_EQ(ReleaseMajor(ToUtf8(launcher::RuntimeHome(found->jvmDllPath))), expected)
      << ToUtf8(found->jvmDllPath);
}

INSTANTIATE_TEST_SUITE_P(
    ThisMachine, InstalledRuntimeSearchTest,
    ::testing::Values(SearchCase{"MaximumVersion17", L"", L"17", L"", 17},
                      SearchCase{"AnyVersionTakesTheHighest", L"", L"65535", L"", 0},
                      SearchCase{"MinimumVersion25", L"25", L"65535", L"", 25},
                      SearchCase{"Preferred17", L"", L"65535", L"17", 17},
                      SearchCase{"PreferredListInOrder", L"", L"65535", L"9;17;25", 17}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InstalledRuntimeSearchTest, NothingAboveEveryInstalledVersion) {
  std::unique_ptr<launcher::RuntimeRegistry> registry = launcher::OpenSystemRuntimeRegistry();
  EXPECT_FALSE(launcher::SearchForRuntime(SettingsFor(L"99", L"65535"), std::nullopt, *registry));
}

// The launcher, run as a user runs it.

constexpr char kJar[] = "discovery_fixtures.jar";

std::string Settings(const std::string& runtimeLines, const std::string& applicationLines = "") {
  return "[Java Runtime Environment]\nMain Class=discovery.PrintRuntime\n" + runtimeLines +
         "\n[Application]\n" + applicationLines + "\n[Class Path]\nClass Path=" + kJar + "\n";
}

class LauncherRuntimeChoiceTest : public LauncherTest {
protected:
  AppFolder& App(const std::string& settings) {
    AppFolder& app = MakeApp("tool");
    app.WriteSettings(settings);
    app.Copy(DISCOVERY_FIXTURE_JAR, kJar);
    return app;
  }
};

struct ChoiceCase {
  const char* name;
  const char* settings; // lines of [Java Runtime Environment]
  int expectedMajor;    // 0: the highest installed
};

class LauncherVersionChoiceTest : public LauncherRuntimeChoiceTest,
                                  public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(LauncherVersionChoiceTest, RunsTheApplicationInTheChosenRuntime) {
  const std::map<int, std::string> majors = InstalledMajors();
  const int expected =
      GetParam().expectedMajor == 0 ? majors.rbegin()->first : GetParam().expectedMajor;
  if (majors.count(expected) == 0) {
    GTEST_SKIP() << "no runtime of version " << expected << " installed";
  }
  AppFolder& app = App(Settings(GetParam().settings));

  const RunResult run = app.Run();

  ASSERT_TRUE(run.exited) << run.Describe();
  EXPECT_EQ(run.exitCode, 0) << run.Describe();
  EXPECT_NE(run.out.find("java.version=" + std::to_string(expected) + "."), std::string::npos)
      << run.Describe();
  EXPECT_NE(run.out.find("ZL_JVM_PATH=" + majors.at(expected) + "/lib/server/libjvm.so"),
            std::string::npos)
      << run.Describe();
}

INSTANTIATE_TEST_SUITE_P(
    ThisMachine, LauncherVersionChoiceTest,
    ::testing::Values(
        ChoiceCase{"MaximumVersion17", "Maximum Version=17\n", 17},
        ChoiceCase{"AnyVersion", "Minimum Version=any\nMaximum Version=any\n", 0},
        ChoiceCase{"MinimumVersion25", "Minimum Version=25\nMaximum Version=any\n", 25},
        ChoiceCase{"PreferredVersion", "Maximum Version=any\nPreferred versions=17\n", 17},
        ChoiceCase{"ServerVmOnly", "Maximum Version=17\nJVM Type=server\n", 17},
        ChoiceCase{"JrePathWithoutVmFallsThrough",
                   "Maximum Version=17\nJRE Path=/nonexistent/runtime\n", 17}),
    [](const auto& info) { return std::string(info.param.name); });

constexpr char kNotFound[] =
    "The Java Runtime Environment (JRE) was not found. Please  download and install a JRE";

struct MissingCase {
  const char* name;
  const char* settings;
  std::string message;
};

class MissingRuntimeTest : public LauncherRuntimeChoiceTest,
                           public ::testing::WithParamInterface<MissingCase> {};

TEST_P(MissingRuntimeTest, ShowsTheRequirementAndEndsWithMinusOne) {
  AppFolder& app = App(Settings(GetParam().settings));
  const std::vector<std::string> before = app.Files();

  const RunResult run = app.Run();

  ASSERT_TRUE(run.exited) << run.Describe();
  EXPECT_EQ(run.exitCode, 255) << run.Describe();
  // The download address follows "from:", where the Windows dialog shows its link.
  EXPECT_EQ(run.err, std::string(kNotFound) + GetParam().message + " https://adoptium.net/\n")
      << run.Describe();
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(app.Files(), before);
}

INSTANTIATE_TEST_SUITE_P(
    ThisMachine, MissingRuntimeTest,
    ::testing::Values(
        MissingCase{"MinimumAboveEveryRuntime", "Minimum Version=99\nMaximum Version=any\n",
                    " (minimum version 99.0) from:"},
        MissingCase{"ServerVmNamedInTheMessage",
                    "Minimum Version=99\nMaximum Version=any\nJVM Type=server\n",
                    " with a server JVM (minimum version 99.0) from:"},
        MissingCase{"MaximumBelowEveryRuntime", "Minimum Version=1.4\nMaximum Version=1.5\n",
                    " (version between 1.4 and 1.5) from:"},
        MissingCase{"EmptyMaximumAdmitsOnlyVersionZero", "", " (latest version) from:"},
        MissingCase{"ExcludedKindAndVendor", "Maximum Version=any\nVM Provider=ibm\n",
                    " (latest version) from:"}),
    [](const auto& info) { return std::string(info.param.name); });

// A runtime shipped in the launcher's "jre64" folder is taken before the installed ones and
// without looking at versions; here it is the installed JDK 17 under another name.
TEST_F(LauncherRuntimeChoiceTest, ShippedRuntimeComesBeforeTheInstalledOnes) {
  const std::map<int, std::string> majors = InstalledMajors();
  ASSERT_EQ(majors.count(17), 1u);
  AppFolder& app = App(Settings("Minimum Version=99\nMaximum Version=any\n"));
  std::filesystem::create_directory_symlink(majors.at(17), app.Path("jre64"));

  const RunResult run = app.Run();

  ASSERT_TRUE(run.exited) << run.Describe();
  EXPECT_EQ(run.exitCode, 0) << run.Describe();
  EXPECT_NE(run.out.find("ZL_JVM_PATH=" + app.Path("jre64/lib/server/libjvm.so")),
            std::string::npos)
      << run.Describe();
}

// A relative "JRE Path" resolves against the current folder.
TEST_F(LauncherRuntimeChoiceTest, RelativeJrePathResolvesAgainstTheCurrentFolder) {
  const std::map<int, std::string> majors = InstalledMajors();
  ASSERT_EQ(majors.count(17), 1u);
  AppFolder& app = App(Settings("Maximum Version=any\nJRE Path=runtimes\\jdk17\n"));
  app.MakeFolder("runtimes");
  std::filesystem::create_directory_symlink(majors.at(17), app.Path("runtimes/jdk17"));

  const RunResult run = app.Run();

  ASSERT_TRUE(run.exited) << run.Describe();
  EXPECT_EQ(run.exitCode, 0) << run.Describe();
  EXPECT_NE(run.out.find("java.version=17."), std::string::npos) << run.Describe();
}

// A copy of the installed VM library cut to its first megabyte, as a copy that stopped
// half-way leaves it: its segments end past the end of the file, where the dynamic loader
// would fault. It is reported as a library that cannot be loaded.
TEST_F(LauncherRuntimeChoiceTest, ATruncatedVmLibraryIsReportedNotLoaded) {
  const std::map<int, std::string> majors = InstalledMajors();
  ASSERT_EQ(majors.count(17), 1u);
  std::ifstream library(majors.at(17) + "/lib/server/libjvm.so", std::ios::binary);
  std::string start(1 << 20, '\0');
  ASSERT_TRUE(library.read(start.data(), static_cast<std::streamsize>(start.size())));
  AppFolder& app = App(Settings("Maximum Version=any\nJRE Path=cut-runtime"));
  app.Write("cut-runtime/lib/server/libjvm.so", start);

  const RunResult run = app.Run();

  ASSERT_TRUE(run.exited) << run.Describe();
  EXPECT_EQ(run.exitCode, 255) << run.Describe();
  EXPECT_EQ(run.err, "Failed to load Java VM library: cut-runtime/lib/server/libjvm.so: truncated: "
                     "its headers describe more than the file holds.\n");
}

// FIFOs where the files of a runtime belong ("JRE Path", the shipped runtime beside the
// launcher, and the folder the launcher starts in) count as absent, and nothing waits on one.
TEST_F(LauncherRuntimeChoiceTest, FifosWhereRuntimeFilesBelongCountAsAbsent) {
  AppFolder& app = App(Settings("Minimum Version=99\nMaximum Version=any\nJRE Path=fifo-runtime"));
  for (const char* file : {"fifo-runtime/lib/server/libjvm.so", "fifo-runtime/lib/libjava.so",
                           "fifo-runtime/release", "jre64/lib/server/libjvm.so",
                           "jre64/lib/libjava.so", "lib/server/libjvm.so", "lib/libjava.so"}) {
    const std::filesystem::path path = app.Path(file);
    std::filesystem::create_directories(path.parent_path());
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0) << file;
  }
  const std::vector<std::string> before = app.Files();

  const RunResult run = app.Run();

  ASSERT_TRUE(run.exited) << run.Describe();
  EXPECT_EQ(run.exitCode, 255) << run.Describe();
  EXPECT_EQ(run.err,
            std::string(kNotFound) + " (minimum version 99.0) from: https://adoptium.net/\n")
      << run.Describe();
  EXPECT_EQ(app.Files(), before);
}

// The paired relaunch: a 32-bit runtime named by "JRE Path" goes to the paired program, which
// gets the launcher's own argument vector.

std::string CommandLineBytes(const std::vector<std::string>& arguments) {
  std::string bytes;
  for (const std::string& argument : arguments) {
    bytes += argument;
    bytes += '\0';
  }
  return bytes;
}

class PairedRelaunchTest : public LauncherRuntimeChoiceTest {
protected:
  AppFolder& PairedApp(const std::string& image, const std::string& applicationLines) {
    AppFolder& app =
        App(Settings("Maximum Version=any\nJRE Path=fake-runtime\n", applicationLines));
    app.Write("fake-runtime/lib/server/libjvm.so", image);
    app.Copy(DISCOVERY_PAIRED_PROBE, "tool32");
    std::filesystem::permissions(app.Path("tool32"), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add);
    return app;
  }

  // The report of a paired program that the launcher did not wait for; bounded.
  static bool AwaitFile(const AppFolder& app, const std::string& relative) {
    for (int i = 0; i < 1200 && !app.Exists(relative); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return app.Exists(relative);
  }

  const std::vector<std::string> arguments{"one", "", "two words", "-nosplash"};
};

const std::string kX86Image = launcher::test::MakeElfBytes(1, 1, 3);

TEST_F(PairedRelaunchTest, WithPairReturnCodeThePairedProgramsCodeIsTheExitCode) {
  AppFolder& app = PairedApp(kX86Image, "Pair Product=tool32\nPair Return Code=yes\n");
  app.Write("paired-exit-code", "7\n");
  RunOptions options;
  options.arguments = arguments;

  const RunResult run = app.Run(options);

  ASSERT_TRUE(run.exited) << run.Describe();
  EXPECT_EQ(run.exitCode, 7) << run.Describe();
  std::vector<std::string> expected{app.Executable()};
  expected.insert(expected.end(), arguments.begin(), arguments.end());
  EXPECT_EQ(app.Read("paired-report"), CommandLineBytes(expected));
  EXPECT_EQ(run.err, "");
}

TEST_F(PairedRelaunchTest, WithoutPairReturnCodeTheLauncherEndsWithZeroAtOnce) {
  AppFolder& app = PairedApp(kX86Image, "Pair Product=tool32\n");
  app.Write("paired-exit-code", "7\n");
  RunOptions options;
  options.arguments = arguments;
  options.keepDescendants = true;

  const RunResult run = app.Run(options);

  ASSERT_TRUE(run.exited) << run.Describe();
  EXPECT_EQ(run.exitCode, 0) << run.Describe();
  ASSERT_TRUE(AwaitFile(app, "paired-report"));
  std::vector<std::string> expected{app.Executable()};
  expected.insert(expected.end(), arguments.begin(), arguments.end());
  EXPECT_EQ(app.Read("paired-report"), CommandLineBytes(expected));
}

TEST_F(PairedRelaunchTest, APairedProgramThatCannotStartGivesZero) {
  AppFolder& app = PairedApp(kX86Image, "Pair Product=absent-tool32\nPair Return Code=Yes\n");

  const RunResult run = app.Run();

  ASSERT_TRUE(run.exited) << run.Describe();
  EXPECT_EQ(run.exitCode, 0) << run.Describe();
  EXPECT_FALSE(app.Exists("paired-report"));
}

// Images the launcher keeps for itself: without a paired program, or when the library is not
// a 32-bit x86 image (truncated and hostile headers included). It then tries to load them
// and reports that it could not.
struct KeptCase {
  const char* name;
  std::string image;
  const char* applicationLines;
};

class KeptImageTest : public PairedRelaunchTest, public ::testing::WithParamInterface<KeptCase> {};

TEST_P(KeptImageTest, IsLoadedHereAndNotHandedOn) {
  AppFolder& app = PairedApp(GetParam().image, GetParam().applicationLines);

  const RunResult run = app.Run();

  ASSERT_TRUE(run.exited) << run.Describe();
  EXPECT_EQ(run.exitCode, 255) << run.Describe();
  // "JRE Path" is relative here, and is used as it stands.
  EXPECT_NE(run.err.find("Failed to load Java VM library: fake-runtime/lib/server/libjvm.so"),
            std::string::npos)
      << run.Describe();
  EXPECT_FALSE(app.Exists("paired-report"));
}

INSTANTIATE_TEST_SUITE_P(
    Images, KeptImageTest,
    ::testing::Values(KeptCase{"NoPairedProgram", kX86Image, ""},
                      KeptCase{"SixtyFourBitImage", launcher::test::MakeElfBytes(2, 1, 62),
                               "Pair Product=tool32\n"},
                      KeptCase{"TruncatedHeader", kX86Image.substr(0, 19), "Pair Product=tool32\n"},
                      KeptCase{"TwoBytes",
                               "\x7F"
                               "E",
                               "Pair Product=tool32\n"},
                      KeptCase{"PeImage", launcher::test::MakePeBytes(512, 0x80, 0x014C),
                               "Pair Product=tool32\n"},
                      KeptCase{"EmptyFile", "", "Pair Product=tool32\n"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace launcher_test
