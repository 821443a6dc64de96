#include "jvm/discovery/image_file.h"

#include <gtest/gtest.h>

#include "base/files.h"
#include "base/module_path.h"
#include "unit/support/discovery_fixtures.h"

namespace launcher {
namespace {

using test::DiscoveryTempFolder;
using test::NativeVmImage;
using test::ThirtyTwoBitVmHeader;
using test::ThirtyTwoBitVmImage;

struct FileCase {
  const char* name;
  std::string bytes;
  bool x86;
};

class ImageFileTest : public ::testing::TestWithParam<FileCase> {};

// The header is read from the file and checked against the file's own size.
TEST_P(ImageFileTest, ReadsTheHeaderFromDisk) {
  DiscoveryTempFolder folder;
  EXPECT_EQ(IsX86ImageFile(folder.WriteFile("lib/server/jvm", GetParam().bytes)), GetParam().x86);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ImageFileTest,
    ::testing::Values(FileCase{"x86", ThirtyTwoBitVmImage(), true},
                      FileCase{"native", NativeVmImage(), false},
                      FileCase{"headersEndTheFile", ThirtyTwoBitVmHeader(), true},
                      FileCase{"machineCutOff",
                               ThirtyTwoBitVmHeader().substr(0, ThirtyTwoBitVmHeader().size() - 1),
                               false},
                      FileCase{"empty", "", false}, FileCase{"text", "not a library\r\n", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ImageFileTest, MissingFilesFoldersAndThisProgramAreNoThirtyTwoBitImage) {
  DiscoveryTempFolder folder;
  int error = 0;
  for (const std::wstring& path : {folder.Join("absent.dll"), folder.path(), std::wstring(),
                                   ReadModulePath(error).value_or(L"")}) {
    EXPECT_FALSE(IsX86ImageFile(path)) << path.size();
  }
}

TEST(ReadFileStartTest, ReadsAtMostTheAskedCount) {
  DiscoveryTempFolder folder;
  const std::wstring path = folder.WriteFile("data", "0123456789");
  EXPECT_EQ(ReadFileStart(path, 4), "0123");
  EXPECT_EQ(ReadFileStart(path, 100), "0123456789");
  EXPECT_EQ(ReadFileStart(folder.Join("absent"), 4), "");
}

} // namespace
} // namespace launcher
