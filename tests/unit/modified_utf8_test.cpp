#include "jvm/hosting/modified_utf8.h"

#include <gtest/gtest.h>

namespace launcher {
namespace {

TEST(ModifiedUtf8, DecodesToTheExactUtf16Units) {
  const struct {
    std::string bytes;
    std::u16string units;
  } cases[] = {
      {"Main", u"Main"},
      {std::string("a\xC0\x80"
                   "b",
                   4),
       std::u16string(u"a\0b", 3)},                          // U+0000 as C0 80
      {"\xC3\xA9t\xC3\xA9", u"\u00e9t\u00e9"},               // two-byte forms
      {"\xE2\x82\xAC", u"\u20ac"},                           // three-byte form
      {"\xED\xA0\xBD\xED\xB8\x80", u"\U0001F600"},           // a surrogate pair
      {"\xF0\x9F\x98\x80", u"\U0001F600"},                   // standard UTF-8 accepted
      {"\xED\xA0\xBD", std::u16string(1, char16_t(0xD83D))}, // a lone surrogate stays
      {"\x80x", u"\ufffdx"},                                 // stray continuation
      {"\xC3", u"\ufffd"},                                   // cut short
      {"\xE2\x82", u"\ufffd\ufffd"},
      {"\xFF", u"\ufffd"},
      {"", u""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecodeModifiedUtf8(c.bytes), c.units) << c.bytes;
  }
}

TEST(ModifiedUtf8, WideTextJoinsSurrogatePairs) {
  EXPECT_EQ(WideFromModifiedUtf8("\xED\xA0\xBD\xED\xB8\x80!"), L"\U0001F600!");
  EXPECT_EQ(WideFromModifiedUtf8("java.lang.RuntimeException: \xC3\xBC"),
            L"java.lang.RuntimeException: \u00fc");
}

TEST(ModifiedUtf8, EncodesAsTheVmDoes) {
  EXPECT_EQ(EncodeModifiedUtf8(std::u16string(u"a\0\U0001F600", 4)),
            std::string("a\xC0\x80\xED\xA0\xBD\xED\xB8\x80", 9));
}

} // namespace
} // namespace launcher
