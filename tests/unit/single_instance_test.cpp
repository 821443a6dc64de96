#include <gtest/gtest.h>

#include "base/text.h"
#include "launcher/handover_area.h"
#include "launcher/single_instance_rules.h"

namespace launcher {
namespace {

using Strings = std::vector<std::wstring>;

// An argument area holding `units` from its start, then zeros.
ArgumentArea Area(const std::u16string& units) {
  ArgumentArea area{};
  for (size_t i = 0; i < units.size() && 2 * i + 1 < area.size(); ++i) {
    area[2 * i] = static_cast<uint8_t>(units[i] & 0xFF);
    area[2 * i + 1] = static_cast<uint8_t>(units[i] >> 8);
  }
  return area;
}

const std::wstring kWord = FromUtf16(u"\u00e9\u4e2d\U0001F600"); // 4 UTF-16 units

TEST(HandoverArea, PacksUpTo1040Bytes) {
  struct Row {
    Strings arguments;
    bool fits;
  } rows[] = {
      {{}, true},
      {{std::wstring(518, L'a')}, true}, // 2 x 518 + 2 + 2 = 1040
      {{std::wstring(519, L'a')}, false},
      {{std::wstring(517, L'a'), L""}, true},
      {{std::wstring(518, L'a'), L""}, false}, // an empty argument takes its NUL
      {{std::wstring(258, L'a'), std::wstring(259, L'b')}, true},
      {{std::wstring(258, L'a'), std::wstring(260, L'b')}, false},
      {{std::wstring(128, L'a') + kWord + kWord + std::wstring(128, L'a') + kWord}, true},
      {std::vector<std::wstring>(519, L""), true}, // 519 NULs and the final one
      {std::vector<std::wstring>(520, L""), false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(PackArguments(row.arguments).has_value(), row.fits) << row.arguments.size();
  }
  // Surrogate pairs count as two units each: 129 x 4 units + 2 = 518 units fit, 519 do not.
  std::wstring words;
  for (int i = 0; i < 129; ++i) {
    words += kWord;
  }
  EXPECT_TRUE(PackArguments({words + L"ab"}).has_value());
  EXPECT_FALSE(PackArguments({words + L"abc"}).has_value());
}

TEST(HandoverArea, PacksLittleEndianUnitsWithZerosBetween) {
  const std::optional<PackedArguments> packed = PackArguments({L"A", L"\u4e2d", kWord});
  ASSERT_TRUE(packed);
  const std::vector<uint8_t> head(packed->begin(), packed->begin() + 18);
  EXPECT_EQ(head, (std::vector<uint8_t>{'A', 0, 0, 0, 0x2d, 0x4e, 0, 0, 0xe9, 0, 0x2d, 0x4e, 0x3d,
                                        0xd8, 0x00, 0xde, 0, 0}));
  EXPECT_TRUE(std::all_of(packed->begin() + 18, packed->end(), [](uint8_t b) { return b == 0; }));
}

TEST(HandoverArea, ReadsUpToTheDoubleNul) {
  const std::u16string kLong(1038, u'x');
  struct Row {
    std::u16string units;
    Strings expected;
  } rows[] = {
      {u"", {L""}}, // a second start without arguments
      {std::u16string(u"a\0b\0", 4), {L"a", L"b"}},
      {std::u16string(u"a\0\0b", 4), {L"a"}},   // an empty argument ends the list
      {std::u16string(u"\0b", 2), {L"", L"b"}}, // but not when it comes first
      {kLong, {std::wstring(1038, L'x')}},      // ended by the NUL in the last scanned unit
      {kLong + std::u16string(u"\0y", 2), {std::wstring(1038, L'x')}}, // unit 1039 is peeked at
      {kLong + u'x', {}}, // still open at the scan limit: dropped
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ReadArguments(Area(row.units)), row.expected) << row.units.size();
  }
}

TEST(HandoverArea, ReadsBackWhatWasPacked) {
  for (const Strings& arguments : {Strings{L"a b", kWord, L"-nosplash"},
                                   Strings{std::wstring(518, L'z')}, Strings{L"", L"b"}}) {
    const std::optional<PackedArguments> packed = PackArguments(arguments);
    ASSERT_TRUE(packed);
    EXPECT_EQ(ReadArguments(AreaFromPacked(*packed)), arguments);
  }
}

TEST(SharedInstanceBlock, HasItsFixedLayout) {
  SharedInstanceBlock block;
  block.listenerThreadId = 0x04030201;
  block.primaryProcessId = 0x08070605;
  block.handoverMessage = 0xC0DE;
  block.argumentArea.front() = 0xAA;
  block.argumentArea.back() = 0xBB;
  const std::array<uint8_t, kSharedBlockSize> bytes = EncodeSharedBlock(block);
  EXPECT_EQ(bytes.size(), 2092u);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 13),
            (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8, 0xDE, 0xC0, 0, 0, 0xAA}));
  EXPECT_EQ(bytes[2091], 0xBB);
  const SharedInstanceBlock back = DecodeSharedBlock(bytes);
  EXPECT_EQ(back.listenerThreadId, block.listenerThreadId);
  EXPECT_EQ(back.primaryProcessId, block.primaryProcessId);
  EXPECT_EQ(back.handoverMessage, block.handoverMessage);
  EXPECT_EQ(back.argumentArea, block.argumentArea);
}

TEST(SingleInstanceRules, OnlyAnExactYesOutsideAServiceSwitchesTheModeOn) {
  EXPECT_TRUE(IsSingleInstanceWanted(false, L"yes"));
  for (const wchar_t* value : {L"Yes", L"YES", L" yes", L"yes ", L"true", L"1", L""}) {
    EXPECT_FALSE(IsSingleInstanceWanted(false, value)) << value;
  }
  EXPECT_FALSE(IsSingleInstanceWanted(true, L"yes"));
}

TEST(SingleInstanceRules, NamesFollowTheExecutablesPath) {
  EXPECT_EQ(InstanceName(L"C:\\Apps\\Tool\\tool.exe"), L"C:_Apps_Tool_tool.exe");
  EXPECT_EQ(InstanceName(L"/opt/My App/tool"), L"/opt/My App/tool");
  EXPECT_EQ(InstanceEventName(L"C:_a.exe"), L"C:_a.exe_upr_evt");
  // FNV-1a of nothing is its offset basis; one character more changes the digest.
  EXPECT_EQ(InstanceDigest(L""), "cbf29ce484222325");
  EXPECT_EQ(InstanceDigest(L"a"), "af63dc4c8601ec8c");
  EXPECT_NE(InstanceDigest(L"/opt/a/tool"), InstanceDigest(L"/opt/b/tool"));
}

TEST(SingleInstanceRules, RepliesCarryASigned32BitCode) {
  EXPECT_EQ(ReplyCode(0xFFFFFFFFu), -1);
  EXPECT_EQ(ReplyCode(0xFFFFFFFFFFFFFFFDull), -3);
  EXPECT_EQ(ReplyCode(0x100000005ull), 5);
  for (int32_t code : {0, 42, -1, 259, INT32_MIN}) {
    for (ReplyKind kind : {ReplyKind::kReply, ReplyKind::kPrimaryEnded}) {
      const ReplyMessage message = EncodeReply(kind, code);
      EXPECT_EQ(DecodeReply(message.data(), message.size()), code);
      EXPECT_EQ(DecodeReply(message.data(), message.size() - 1), std::nullopt);
    }
  }
  const uint8_t unknown[] = {'X', 1, 0, 0, 0};
  EXPECT_EQ(DecodeReply(unknown, sizeof unknown), std::nullopt);
}

} // namespace
} // namespace launcher
