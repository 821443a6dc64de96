#include "launcher/paired_relaunch.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>

#include "base/environment.h"
#include "base/files.h"
#include "base/module_path.h"
#include "base/text.h"
#include "unit/support/discovery_fixtures.h"
#include "unit/support/scratch_folder.h"
#ifdef _WIN32
#include "base/windows_api.h"
#else
#include <sys/stat.h>
#endif

namespace launcher {
namespace {

using test::DiscoveryTempFolder;
using testing::ScopedEnvironmentVariable;

const std::wstring kReportVariable = L"LAUNCHER_PAIRED_PROBE_REPORT";
const std::wstring kExitVariable = L"LAUNCHER_PAIRED_PROBE_EXIT";

std::string OwnCommandLineBytes() {
#ifdef _WIN32
  return ToUtf8(GetCommandLineW());
#else
  return ReadFileStart(L"/proc/self/cmdline", 1 << 20);
#endif
}

// Started as the paired program by a test below, this test program records the command line
// it was given and ends before any test runs. The report appears whole, by rename.
const bool kActsAsPairedProgram = [] {
  const std::wstring report = ReadEnvironmentVariable(kReportVariable).value_or(L"");
  if (report.empty()) {
    return false;
  }
  WriteWholeFile(report + L".partial", OwnCommandLineBytes());
  std::rename(ToUtf8(report + L".partial").c_str(), ToUtf8(report).c_str());
  const std::string code = ToUtf8(ReadEnvironmentVariable(kExitVariable).value_or(L"0"));
#ifndef _WIN32
  if (code == "SIGTERM") {
    signal(SIGTERM, SIG_DFL);
    raise(SIGTERM);
  }
#endif
  std::_Exit(atoi(code.c_str()));
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
  const wchar_t* childExit;
  int expected;
};

class PairedRelaunchTest : public ::testing::TestWithParam<ExitCase> {
protected:
  DiscoveryTempFolder folder;
  std::wstring report = folder.Join("report");
  ScopedEnvironmentVariable reportVariable{kReportVariable, report};
};

TEST_P(PairedRelaunchTest, WithPairReturnCodeTheChildsCodeIsReturned) {
  ScopedEnvironmentVariable exitVariable(kExitVariable, GetParam().childExit);
  EXPECT_EQ(RunPairedProduct(ThisProgram(), true), GetParam().expected);
  EXPECT_EQ(ReadFileStart(report, 1 << 20), OwnCommandLineBytes());
}

INSTANTIATE_TEST_SUITE_P(ExitCodes, PairedRelaunchTest,
                         ::testing::Values(ExitCase{"zero", L"0", 0}, ExitCase{"seven", L"7", 7},
#ifdef _WIN32
                                           ExitCase{"minusOne", L"-1", -1}
#else
                                           ExitCase{"minusOne", L"-1", 255},
                                           ExitCase{"signal", L"SIGTERM", 128 + SIGTERM}
#endif
                                           ),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PairedRelaunchTest, WithoutPairReturnCodeZeroIsReturnedAndTheChildStillRuns) {
  ScopedEnvironmentVariable exitVariable(kExitVariable, L"9");
  EXPECT_EQ(RunPairedProduct(ThisProgram(), false), 0);
  EXPECT_EQ(AwaitReport(report), OwnCommandLineBytes());
}

TEST_F(PairedRelaunchTest, AProgramThatCannotStartGivesZero) {
  // On POSIX an executable script whose interpreter is missing fails only after the fork.
  const std::wstring notAProgram = folder.WriteFile("paired.exe", "#!/nowhere\n");
#ifndef _WIN32
  chmod(ToUtf8(notAProgram).c_str(), 0755);
#endif
  for (const std::wstring& program : {folder.Join("absent.exe"), folder.path(), notAProgram}) {
    EXPECT_EQ(RunPairedProduct(program, true), 0) << ToUtf8(program);
    EXPECT_EQ(RunPairedProduct(program, false), 0) << ToUtf8(program);
  }
  EXPECT_FALSE(FileExists(report));
}

} // namespace
} // namespace launcher
