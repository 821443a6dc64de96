#include "base/text.h"

#include <gtest/gtest.h>

namespace launcher {
namespace {

const std::wstring kReplacement(1, static_cast<wchar_t>(0xFFFD));

TEST(Utf8Conversion, RoundTripsEveryPlane) {
  const std::wstring samples[] = {L"", L"Gr\u00fc\u00dfe", L"\U0001F600 and \U0010FFFF",
                                  std::wstring(L"nul\0inside", 10)};
  for (const std::wstring& sample : samples) {
    EXPECT_EQ(FromUtf8(ToUtf8(sample)), sample);
  }
  EXPECT_EQ(ToUtf8(L"\u00e4\u20ac\U0001F600"), "\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80");
}

TEST(Utf8Conversion, InvalidInputBecomesReplacementCharacters) {
  struct Case {
    std::string bytes;
    std::wstring text;
  };
  const Case cases[] = {
      {"\x80", kReplacement}, // lone continuation byte
      {"a\xFF"
       "b",
       L"a" + kReplacement + L"b"}, // byte that never starts a sequence
      {"\xC3", kReplacement},       // truncated at the end
      {"\xE2\x82", kReplacement},   // truncated three-byte sequence
      {"\xE2\x82"
       "A",
       kReplacement + L"A"},               // sequence cut by an ASCII byte
      {"\xC0\xAF", kReplacement},          // overlong "/"
      {"\xED\xA0\x80", kReplacement},      // encoded surrogate
      {"\xF4\x90\x80\x80", kReplacement},  // above U+10FFFF
      {"\xF0\x9F\x98\x80", L"\U0001F600"}, // valid four-byte sequence
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FromUtf8(c.bytes), c.text) << "bytes of length " << c.bytes.size();
  }
}

TEST(Utf16Conversion, PairsSurrogatesAndReplacesLoneOnesExceptToUtf16) {
  EXPECT_EQ(ToUtf16(L"a\U0001F600"), u"a\U0001F600");
  EXPECT_EQ(FromUtf16(u"a\U0001F600"), L"a\U0001F600");
  EXPECT_EQ(FromUtf16(std::u16string(1, char16_t(0xD800))), kReplacement);
  EXPECT_EQ(FromUtf16(std::u16string{char16_t(0xDC00), u'x'}), kReplacement + L"x");
  EXPECT_EQ(ToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
  EXPECT_EQ(ToUtf16(std::wstring(1, static_cast<wchar_t>(0xDFFF))), u"\xDFFF");
}

TEST(TextComparison, IgnoresOnlyAsciiCase) {
  EXPECT_TRUE(EqualsIgnoringAsciiCase(L"Yes", L"yES"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase(L"Yes", L"Ye"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase(L"\u00c4", L"\u00e4"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase(L"[", L"{")); // differ by 32 but are not letters
  EXPECT_TRUE(StartsWith(L"-Xss1m", L"-Xss"));
  EXPECT_TRUE(EndsWith(L"tool.exe", L".exe"));
}

TEST(SettingsList, KeepsInnerEmptyItemsButNoTrailingOne) {
  struct Case {
    std::wstring text;
    std::vector<std::wstring> items;
  };
  const Case cases[] = {
      {L"", {}},
      {L"1.8;;1.7;", {L"1.8", L"", L"1.7"}},
      {L";;", {L"", L""}},
      {L" a ; b ", {L" a ", L" b "}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SplitList(c.text, L';'), c.items) << ToUtf8(c.text);
  }
}

} // namespace
} // namespace launcher
