#include "jvm/discovery/image_layout.h"

#include <gtest/gtest.h>

#include "unit/support/image_bytes.h"

namespace launcher {
namespace {

using test::MakeElfWithSegments;
using test::MakePeBytes;
using test::MakePeWithSections;

constexpr uint32_t kLoad = 1;
constexpr uint64_t kMax = UINT64_MAX;
constexpr auto kComplete = ImageLayout::kComplete;
constexpr auto kTruncated = ImageLayout::kTruncated;
constexpr auto kNotAnImage = ImageLayout::kNotAnImage;

struct LayoutCase {
  const char* name;
  ImageLayout (*rule)(uint64_t, const ImageByteReader&);
  std::string file;
  ImageLayout expected;
};

// 4096-byte files: ELF with its program header table at `table`, PE with an optional header
// of `optional` bytes.
std::string Elf(const std::vector<test::ElfSegment>& segments, unsigned char elfClass = 2,
                unsigned char encoding = 1, uint64_t table = 64) {
  return MakeElfWithSegments(elfClass, encoding, table, segments, 4096);
}
std::string Pe(const std::vector<test::PeSection>& sections, uint16_t optional = 240) {
  return MakePeWithSections(optional, sections, 4096);
}

class ImageLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

// Every read lies inside the file and only the headers are read.
TEST_P(ImageLayoutTest, WhatTheHeadersPlaceInTheFileMustLieInsideIt) {
  const std::string& file = GetParam().file;
  size_t bytesRead = 0;
  const ImageLayout layout =
      GetParam().rule(file.size(), [&](uint64_t offset, size_t count, std::string& out) {
        EXPECT_LE(offset + count, file.size());
        bytesRead += count;
        out = file.substr(static_cast<size_t>(offset), count);
        return true;
      });
  EXPECT_EQ(layout, GetParam().expected);
  EXPECT_LE(bytesRead, 1024u);
}

INSTANTIATE_TEST_SUITE_P(
    Images, ImageLayoutTest,
    ::testing::Values(
        // A segment of another type may lie anywhere.
        LayoutCase{"elf", CheckElfLayout, Elf({{kLoad, 0, 0x800}, {2, 1ull << 40, 8}}), kComplete},
        LayoutCase{"elf32BigEndian", CheckElfLayout, Elf({{kLoad, 4000, 96}}, 1, 2, 52), kComplete},
        LayoutCase{"elfSegmentPastTheEnd", CheckElfLayout,
                   Elf({{kLoad, 0, 0x800}, {kLoad, 0x800, 0x801}}), kTruncated},
        LayoutCase{"elf32SegmentPastTheEnd", CheckElfLayout, Elf({{kLoad, 4000, 97}}, 1, 1, 52),
                   kTruncated},
        LayoutCase{"elfSegmentEndOverflows", CheckElfLayout, Elf({{kLoad, kMax - 15, 32}}),
                   kTruncated},
        LayoutCase{"elfTableCutOff", CheckElfLayout, Elf({{kLoad, 0, 16}}, 2, 1, 4096 - 55),
                   kTruncated},
        LayoutCase{"elfTableOffsetOverflows", CheckElfLayout, Elf({{kLoad, 0, 16}}, 2, 1, kMax - 8),
                   kTruncated},
        LayoutCase{"elfHeaderCutOff", CheckElfLayout, Elf({}).substr(0, 63), kTruncated},
        LayoutCase{"elfForeignEntrySize", CheckElfLayout,
                   Elf({{kLoad, 0, 16}}).replace(54, 1, 1, '\x20'), kNotAnImage},
        LayoutCase{"peAsElf", CheckElfLayout, Pe({}), kNotAnImage},
        // A section without raw data may point anywhere.
        LayoutCase{"pe", CheckPeLayout, Pe({{0x400, 0x200}, {0xE00, 0x200}, {0xFFFFFFFF, 0}}),
                   kComplete},
        LayoutCase{"peRawDataPastTheEnd", CheckPeLayout, Pe({{0x400, 0x200}, {0xE00, 0x201}}),
                   kTruncated},
        LayoutCase{"peRawDataFarPastTheEnd", CheckPeLayout, Pe({{0xFFFFFFFF, 0xFFFFFFFF}}),
                   kTruncated},
        LayoutCase{"peSectionTablePastTheEnd", CheckPeLayout, Pe({{0x400, 0x200}}, 0xFFFF),
                   kTruncated},
        LayoutCase{"peLfanewPastTheEnd", CheckPeLayout, MakePeBytes(4096, 0x7FFFFFFF, 0x8664),
                   kTruncated},
        LayoutCase{"peLfanewNegative", CheckPeLayout, MakePeBytes(4096, -4, 0x8664), kNotAnImage},
        LayoutCase{"elfAsPe", CheckPeLayout, Elf({}), kNotAnImage},
        LayoutCase{"empty", CheckPeLayout, "", kNotAnImage}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ImageLayoutTest, BytesThatCannotBeReadLeaveTheImageIncomplete) {
  const std::string file = Pe({{0x400, 0x200}});
  // A reader that hands back half of what it was asked for without saying so.
  const ImageByteReader shortReads = [&](uint64_t offset, size_t count, std::string& out) {
    out = file.substr(static_cast<size_t>(offset), count / 2);
    return true;
  };
  EXPECT_EQ(CheckPeLayout(file.size(), shortReads), kTruncated);
  EXPECT_EQ(CheckElfLayout(0, [](uint64_t, size_t, std::string&) { return false; }), kTruncated);
}

} // namespace
} // namespace launcher
