#include "jvm/discovery/image_file.h"

#include <gtest/gtest.h>

#include "base/text.h"
#include "jvm/discovery/image_architecture.h"
#include "jvm/discovery/runtime_folder_registry.h"
#include "unit/support/discovery_fixtures.h"
#include "unit/support/image_bytes.h"

namespace launcher {
namespace {

using test::DiscoveryTempFolder;
using test::MakeElfBytes;

struct FileCase {
  const char* name;
  std::string bytes;
  bool x86;
};

class ElfImageFileTest : public ::testing::TestWithParam<FileCase> {};

TEST_P(ElfImageFileTest, ReadsTheHeaderFromDisk) {
  DiscoveryTempFolder folder;
  const std::wstring path = folder.WriteFile("lib/server/libjvm.so", GetParam().bytes);
  EXPECT_EQ(IsX86ImageFile(path), GetParam().x86);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ElfImageFileTest,
    ::testing::Values(FileCase{"x86", MakeElfBytes(1, 1, kElfMachineX86), true},
                      FileCase{"x86HeaderOnly", MakeElfBytes(1, 1, kElfMachineX86, 20), true},
                      FileCase{"x86_64", MakeElfBytes(2, 1, kElfMachineX86_64), false},
                      FileCase{"truncated", MakeElfBytes(1, 1, kElfMachineX86, 19), false},
                      FileCase{"empty", "", false}, FileCase{"text", "not a library\n", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ElfImageFileTest, MissingFileAndFolderAreNoImage) {
  DiscoveryTempFolder folder;
  EXPECT_FALSE(IsX86ImageFile(folder.Join("absent.so")));
  EXPECT_FALSE(IsX86ImageFile(folder.path()));
  EXPECT_FALSE(IsX86ImageFile(L""));
}

TEST(ElfImageFileTest, ThisProgramIsANativeSixtyFourBitImage) {
  const std::string header = ReadFileStart(L"/proc/self/exe", kElfHeaderBytes);
  ASSERT_EQ(header.size(), kElfHeaderBytes);
  EXPECT_TRUE(Is64BitElfImageFor(reinterpret_cast<const unsigned char*>(header.data()),
                                 header.size(), HostElfMachine()));
  EXPECT_FALSE(IsX86ImageFile(L"/proc/self/exe"));
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
