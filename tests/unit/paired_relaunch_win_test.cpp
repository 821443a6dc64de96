#include "launcher/paired_relaunch.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>

#include "base/files.h"
#include "base/text.h"
#include "base/windows_api.h"
#include "jvm/discovery/image_file.h"
#include "unit/support/discovery_fixtures.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

using test::DiscoveryTempFolder;
using testing::ScopedEnvironmentVariable;

constexpr const wchar_t* kReportVariable = L"LAUNCHER_PAIRED_PROBE_REPORT";
constexpr const wchar_t* kExitVariable = L"LAUNCHER_PAIRED_PROBE_EXIT";

std::string OwnCommandLineBytes() {
  return ToUtf8(GetCommandLineW());
}

std::wstring Variable(const wchar_t* name) {
  wchar_t value[4096];
  const DWORD length = GetEnvironmentVariableW(name, value, 4096);
  return length > 0 && length < 4096 ? std::wstring(value, length) : std::wstring();
}

// Started as the paired program by a test below, this test program records the command line
// it was given and ends before any test runs. The report appears whole, by rename.
const bool kActsAsPairedProgram = [] {
  const std::wstring report = Variable(kReportVariable);
  if (report.empty()) {
    return false;
  }
  const std::wstring partial = report + L".partial";
  WriteWholeFile(partial, OwnCommandLineBytes());
  MoveFileW(partial.c_str(), report.c_str());
  ExitProcess(static_cast<UINT>(_wtoi(Variable(kExitVariable).c_str())));
}();

std::wstring ThisProgram() {
  wchar_t path[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
  return std::wstring(path, length);
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
                                           ExitCase{"minusOne", L"-1", -1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PairedRelaunchTest, WithoutPairReturnCodeZeroIsReturnedAndTheChildStillRuns) {
  ScopedEnvironmentVariable exitVariable(kExitVariable, L"9");
  EXPECT_EQ(RunPairedProduct(ThisProgram(), false), 0);
  EXPECT_EQ(AwaitReport(report), OwnCommandLineBytes());
}

TEST_F(PairedRelaunchTest, AProgramThatCannotStartGivesZero) {
  const std::wstring notAProgram = folder.WriteFile("paired.exe", "not a program");
  for (const std::wstring& program : {folder.Join("absent.exe"), folder.path(), notAProgram}) {
    EXPECT_EQ(RunPairedProduct(program, true), 0) << ToUtf8(program);
    EXPECT_EQ(RunPairedProduct(program, false), 0) << ToUtf8(program);
  }
  EXPECT_FALSE(FileExists(report));
}

} // namespace
} // namespace launcher
