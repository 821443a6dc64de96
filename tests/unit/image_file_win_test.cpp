#include "jvm/discovery/image_file.h"

#include <gtest/gtest.h>

#include "base/windows_api.h"
#include "jvm/discovery/image_architecture.h"
#include "unit/support/discovery_fixtures.h"
#include "unit/support/image_bytes.h"

namespace launcher {
namespace {

using test::DiscoveryTempFolder;
using test::MakePeBytes;

struct FileCase {
  const char* name;
  std::string bytes;
  bool x86;
};

class PeImageFileTest : public ::testing::TestWithParam<FileCase> {};

TEST_P(PeImageFileTest, ChecksTheMappedHeadersAgainstTheFileSize) {
  DiscoveryTempFolder folder;
  const std::wstring path = folder.WriteFile("bin/server/jvm.dll", GetParam().bytes);
  EXPECT_EQ(IsX86ImageFile(path), GetParam().x86);
}

INSTANTIATE_TEST_SUITE_P(
    Files, PeImageFileTest,
    ::testing::Values(FileCase{"x86", MakePeBytes(1024, 0x80, kPeMachineX86), true},
                      FileCase{"x64", MakePeBytes(1024, 0x80, kPeMachineAmd64), false},
                      FileCase{"headersEndTheFile", MakePeBytes(0x86, 0x80, kPeMachineX86), true},
                      FileCase{"machineCutOff", MakePeBytes(0x85, 0x80, kPeMachineX86), false},
                      FileCase{"lfanewPastEnd", MakePeBytes(64, 0x7FFFFFF0, kPeMachineX86), false},
                      FileCase{"lfanewNegative", MakePeBytes(1024, -64, kPeMachineX86), false},
                      FileCase{"twoBytes", "MZ", false},
                      FileCase{"sixtyThreeBytes", MakePeBytes(63, 0x80, kPeMachineX86), false},
                      FileCase{"empty", "", false}, FileCase{"text", "not a library\r\n", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PeImageFileTest, MissingFileAndFolderAreNoImage) {
  DiscoveryTempFolder folder;
  EXPECT_FALSE(IsX86ImageFile(folder.Join("absent.dll")));
  EXPECT_FALSE(IsX86ImageFile(folder.path()));
  EXPECT_FALSE(IsX86ImageFile(L""));
}

TEST(PeImageFileTest, ThisProgramIsNoThirtyTwoBitImage) {
  wchar_t path[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
  ASSERT_GT(length, 0u);
  EXPECT_FALSE(IsX86ImageFile(path));
  const std::string header = ReadFileStart(path, 4096);
  EXPECT_EQ(ReadPeMachine(reinterpret_cast<const unsigned char*>(header.data()), header.size()),
            kPeMachineAmd64);
}

} // namespace
} // namespace launcher
