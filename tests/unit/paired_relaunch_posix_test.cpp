#include "launcher/paired_relaunch.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "base/files.h"
#include "base/module_path.h"
#include "base/text.h"
#include "jvm/discovery/image_file.h"
#include "unit/support/discovery_fixtures.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

using test::DiscoveryTempFolder;
using testing::ScopedEnvironmentVariable;

constexpr const char* kReportVariable = "LAUNCHER_PAIRED_PROBE_REPORT";
constexpr const char* kExitVariable = "LAUNCHER_PAIRED_PROBE_EXIT";

std::string OwnCommandLineBytes() {
  return ReadFileStart(L"/proc/self/cmdline", 1 << 20);
}

// Started as the paired program by a test below, this test program records the argument
// vector it was given and ends before any test runs. The report appears whole, by rename.
const bool kActsAsPairedProgram = [] {
  const char* report = getenv(kReportVariable);
  if (report == nullptr || *report == '\0') {
    return false;
  }
  const std::string partial = std::string(report) + ".partial";
  if (FILE* out = fopen(partial.c_str(), "wb")) {
    const std::string bytes = OwnCommandLineBytes();
    fwrite(bytes.data(), 1, bytes.size(), out);
    fclose(out);
    rename(partial.c_str(), report);
  }
  const char* exitCode = getenv(kExitVariable);
  const std::string code = exitCode == nullptr ? "0" : exitCode;
  if (code == "SIGTERM") {
    signal(SIGTERM, SIG_DFL);
    raise(SIGTERM);
  }
  _exit(atoi(code.c_str()));
}();

std::wstring ThisProgram() {
  int error = 0;
  return ReadModulePath(error).value_or(L"");
}

// Waits for a file that a process started without waiting will write; bounded so that a
// child that never starts cannot hang the suite.
std::string AwaitReport(const std::wstring& path) {
  for (int i = 0; i < 1200 && !FileExists(path); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return ReadFileStart(path, 1 << 20);
}

struct ExitCase {
  const char* name;
  const char* childExit;
  int expected;
};

class PairedRelaunchTest : public ::testing::TestWithParam<ExitCase> {
protected:
  DiscoveryTempFolder folder;
  std::wstring report = folder.Join("report");
  ScopedEnvironmentVariable reportVariable{FromUtf8(kReportVariable), report};
};

TEST_P(PairedRelaunchTest, WithPairReturnCodeTheChildsCodeIsReturned) {
  ScopedEnvironmentVariable exitVariable(FromUtf8(kExitVariable), FromUtf8(GetParam().childExit));
  EXPECT_EQ(RunPairedProduct(ThisProgram(), true), GetParam().expected);
  EXPECT_EQ(ReadFileStart(report, 1 << 20), OwnCommandLineBytes());
}

INSTANTIATE_TEST_SUITE_P(ExitCodes, PairedRelaunchTest,
                         ::testing::Values(ExitCase{"zero", "0", 0}, ExitCase{"seven", "7", 7},
                                           ExitCase{"minusOne", "-1", 255},
                                           ExitCase{"signal", "SIGTERM", 128 + SIGTERM}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PairedRelaunchTest, WithoutPairReturnCodeZeroIsReturnedAndTheChildStillRuns) {
  ScopedEnvironmentVariable exitVariable(FromUtf8(kExitVariable), L"9");
  EXPECT_EQ(RunPairedProduct(ThisProgram(), false), 0);
  EXPECT_EQ(AwaitReport(report), OwnCommandLineBytes());
}

TEST_F(PairedRelaunchTest, AProgramThatCannotStartGivesZero) {
  const std::wstring notExecutable = folder.WriteFile("paired", "#!/nowhere\n");
  chmod(ToUtf8(notExecutable).c_str(), 0755);
  for (const std::wstring& program : {folder.Join("absent"), folder.path(), notExecutable}) {
    EXPECT_EQ(RunPairedProduct(program, true), 0) << ToUtf8(program);
    EXPECT_EQ(RunPairedProduct(program, false), 0) << ToUtf8(program);
  }
  EXPECT_FALSE(FileExists(report));
}

} // namespace
} // namespace launcher
