#include "settings/ini_text_encoding.h"

#include <gtest/gtest.h>

namespace launcher {
namespace {

TEST(IniEncodingDetection, RecognisesByteOrderMarks) {
  struct Case {
    std::string bytes;
    IniEncoding encoding;
    size_t bomBytes;
  };
  const Case cases[] = {
      {"\xFF\xFE[", IniEncoding::kUtf16Le, 2},
      {"\xFE\xFF\0[", IniEncoding::kUtf16Be, 2},
      {"\xEF\xBB\xBF[", IniEncoding::kUtf8WithBom, 3},
      {"", IniEncoding::kUtf8, 0},
      {"\xEF\xBB", IniEncoding::kUtf8, 0},
  };
  for (const Case& c : cases) {
    const IniEncodingInfo info = DetectIniEncoding(c.bytes);
    EXPECT_EQ(info.encoding, c.encoding);
    EXPECT_EQ(info.bomBytes, c.bomBytes);
  }
}

TEST(Utf8OrLatin1, InvalidBytesReadAsLatin1) {
  struct Case {
    std::string bytes;
    std::wstring text;
  };
  const Case cases[] = {
      {"Gr\xC3\xBC\xC3\x9F"
       "e",
       L"Gr\u00fc\u00dfe"}, // UTF-8
      {"Gr\xFC\xDF"
       "e",
       L"Gr\u00fc\u00dfe"},                    // Latin-1
      {"\xE9\xE2\x82\xAC", L"\u00e9\u20ac"},   // mixed: Latin-1 then UTF-8
      {"\xC0\xAF", L"\u00c0\u00af"},           // overlong: two Latin-1 bytes
      {"\xED\xA0\x80", L"\u00ed\u00a0\u0080"}, // encoded surrogate
      {std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeUtf8OrLatin1(c.bytes), c.text);
  }
}

TEST(IniTextCoding, Utf16RoundTripsInBothByteOrders) {
  const std::wstring text = L"[A]\r\nk=\u00e4\U0001F600";
  for (IniEncoding encoding : {IniEncoding::kUtf16Le, IniEncoding::kUtf16Be}) {
    const std::string bytes = EncodeIniText(text, encoding);
    EXPECT_EQ(bytes.size(), 2 * 10u);
    std::wstring decoded;
    AppendDecodedIniText(bytes + "x", encoding, decoded); // the odd byte is ignored
    EXPECT_EQ(decoded, text);
  }
  EXPECT_EQ(EncodeIniText(L"k", IniEncoding::kUtf16Le), std::string("k\0", 2));
  EXPECT_EQ(EncodeIniText(L"k", IniEncoding::kUtf16Be), std::string("\0k", 2));

  std::wstring lone;
  AppendDecodedIniText(std::string("\x00\xD8", 2), IniEncoding::kUtf16Le, lone);
  EXPECT_EQ(lone, L"\uFFFD");
}

} // namespace
} // namespace launcher
