#include "base/string_table.h"

#include <gtest/gtest.h>

#include "base/message_ids.h"
#include "base/text.h"

namespace launcher {
namespace {

// A string-table block as the resource compiler lays it out: the 16 entries of block b are the
// ids 16 * (b - 1) to 16 * b - 1, each a length and that many UTF-16 units.
std::vector<uint16_t> BlockOf(int block) {
  std::vector<uint16_t> units;
  for (int id = 16 * (block - 1); id < 16 * block; ++id) {
    const std::u16string text = ToUtf16(LoadResourceString(id));
    units.push_back(static_cast<uint16_t>(text.size()));
    units.insert(units.end(), text.begin(), text.end());
  }
  return units;
}

TEST(StringTable, HoldsTheMessagesExactly) {
  EXPECT_EQ(LoadResourceString(kMsgMainClassMissing), L"Main class was not specified in INI file.");
  EXPECT_EQ(LoadResourceString(kMsgWindowsException), L"Windows exception: %s (errno = %d).\n");
  EXPECT_EQ(LoadResourceString(kMsgJreNotFound),
            L"The Java Runtime Environment (JRE) was not found. Please  download and install a JRE "
            L"(%s) from:");
  for (int id = 202; id <= 230; ++id) {
    EXPECT_FALSE(LoadResourceString(id).empty()) << id;
  }
  for (int id : {0, 201, 231, 256, -1, 70000}) {
    EXPECT_TRUE(LoadResourceString(id).empty()) << id;
  }
}

TEST(StringTable, EntriesAreFoundByBlockAndPosition) {
  const std::vector<uint16_t> block13 = BlockOf(13);
  EXPECT_EQ(FromUtf16(StringFromTableBlock(block13.data(), block13.size(), 11)),
            LoadResourceString(203)); // entry 203: block 13, position 11
  EXPECT_TRUE(StringFromTableBlock(block13.data(), block13.size(), 0).empty()); // id 192 absent
}

TEST(StringTable, DamagedBlocksGiveEmptyTexts) {
  // Position 1 claims 100 units in a block of 5.
  const uint16_t shortBlock[] = {1, u'a', 100, u'b', u'c'};
  EXPECT_EQ(StringFromTableBlock(shortBlock, 5, 0), u"a");
  EXPECT_TRUE(StringFromTableBlock(shortBlock, 5, 1).empty());
  EXPECT_TRUE(StringFromTableBlock(shortBlock, 5, 15).empty());
  EXPECT_TRUE(StringFromTableBlock(shortBlock, 0, 0).empty());
}

} // namespace
} // namespace launcher
