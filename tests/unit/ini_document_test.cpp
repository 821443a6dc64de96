#include "settings/ini_document.h"

#include <gtest/gtest.h>

#include "base/text.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

using namespace std::string_literals;
using testing::Utf16Bytes;

struct ReadCase {
  std::string bytes;
  std::wstring section, key;
  std::optional<std::wstring> value;
};

void ExpectReads(const ReadCase& c) {
  EXPECT_EQ(IniDocument(c.bytes).Get(c.section, c.key), c.value)
      << "[" << ToUtf8(c.section) << "] " << ToUtf8(c.key) << " in:\n"
      << c.bytes;
}

TEST(IniDocumentReading, NamesMatchWithoutCaseAndLoseTheirBlanks) {
  const ReadCase cases[] = {
      {"[Java Runtime Environment]\nMain Class=x", L"JAVA runtime environment", L"main CLASS",
       L"x"},
      {"  [ A ]  \n  k  =  v  \n", L"A", L"k", L"v"},
      {"[A]\nk=v\n", L"A", L"K ", std::nullopt}, // the name asked for is taken as it is
      {"k=v\n[A]\n", L"A", L"k", std::nullopt},  // entries before any section belong to none
      {"[]\nk=v\n", L"", L"k", L"v"},
  };
  for (const ReadCase& c : cases) {
    ExpectReads(c);
  }
}

TEST(IniDocumentReading, OnePairOfMatchingQuotesIsRemoved) {
  const ReadCase cases[] = {
      {"[A]\nk='v'\n", L"A", L"k", L"v"},           {"[A]\nk=\" a \"\n", L"A", L"k", L" a "},
      {"[A]\nk=\"\"x\"\"\n", L"A", L"k", L"\"x\""}, {"[A]\nk=\"v'\n", L"A", L"k", L"\"v'"},
      {"[A]\nk=\"\n", L"A", L"k", L"\""},
  };
  for (const ReadCase& c : cases) {
    ExpectReads(c);
  }
}

TEST(IniDocumentReading, CommentsOddLinesAndLineBreaks) {
  const ReadCase cases[] = {
      {"[A]\n;k=v\nk=w\n", L"A", L"k", L"w"},
      {"[A]\n;k=v\n", L"A", L";k", std::nullopt},
      {"[A]\ngarbage line\nk=v\n", L"A", L"k", L"v"},
      {"[A\nk=v\n", L"A", L"k", std::nullopt}, // "[A" opens no section
      {"[A]]\nk=v\n", L"A]", L"k", L"v"},
  };
  for (const ReadCase& c : cases) {
    ExpectReads(c);
  }
}

TEST(IniDocumentReading, TheFirstSectionAndTheFirstKeyWin) {
  const std::string bytes = "[A]\nk=1\nk=2\n[B]\nj=0\n[a]\nk=3\nj=4\n";
  ExpectReads({bytes, L"A", L"k", L"1"});
  ExpectReads({bytes, L"A", L"j", std::nullopt}); // only in the repeated section
}

TEST(IniDocumentReading, DecodesEveryEncoding) {
  const std::wstring text = L"[Sect\u00efon]\r\nk=Gr\u00fc\u00dfe \U0001F600\r\n";
  const std::wstring value = L"Gr\u00fc\u00dfe \U0001F600";
  ExpectReads({Utf16Bytes(text, true), L"Sect\u00efon", L"k", value});
  ExpectReads({Utf16Bytes(text, false), L"Sect\u00efon", L"k", value});
  ExpectReads({"\xEF\xBB\xBF" + ToUtf8(text), L"Sect\u00efon", L"k", value});
  ExpectReads({ToUtf8(text), L"Sect\u00efon", L"k", value});
  ExpectReads({"[A]\nk=Gr\xFC\xDF"
               "e\n",
               L"A", L"k", L"Gr\u00fc\u00dfe"});
  ExpectReads({"\xEF\xBB\xBF[A]\nk=v", L"A", L"k", L"v"}); // the mark is not part of the name
  // A UTF-16 file with a dangling odd byte still reads.
  ExpectReads({Utf16Bytes(L"[A]\r\nk=v", true) + "\x01", L"A", L"k", L"v"});
}

struct WriteCase {
  std::string before;
  std::wstring section, key, value;
  std::string after;
};

TEST(IniDocumentWriting, ChangesOnlyWhatItMust) {
  const WriteCase cases[] = {
      {"", L"A", L"k", L"v", "[A]\r\nk=v\r\n"},
      {"[A]\nk=\"quoted\"\n", L"A", L"k", L"v", "[A]\nk=v\n"},
      {"[A]\nk=1\nk=2\n", L"A", L"k", L"3", "[A]\nk=3\nk=2\n"},
      {"[A]\nj=1\n\n[B]\n", L"A", L"k", L"v", "[A]\nj=1\nk=v\n\n[B]\n"},
      {"[A]", L"A", L"k", L"v", "[A]\r\nk=v\r\n"},
      {"[A]\r\nj=1\r\n", L"B", L"k", L"v", "[A]\r\nj=1\r\n\r\n[B]\r\nk=v\r\n"},
      {"[A]\nj=1", L"B", L"k", L"v", "[A]\nj=1\n\n[B]\nk=v\n"},
      {";c\n[A]\n; note\nk=1\n", L"A", L"k", L"2", ";c\n[A]\n; note\nk=2\n"},
      {"[A]\nx=\xE9\nk=1\n", L"A", L"k", L"\u00e9", "[A]\nx=\xE9\nk=\xC3\xA9\n"},
      {"[A]\nk=1\n[A]\nj=2\n", L"A", L"j", L"3", "[A]\nk=1\nj=3\n[A]\nj=2\n"},
      {"\xEF\xBB\xBF[A]\nk=1\n", L"A", L"k", L"2", "\xEF\xBB\xBF[A]\nk=2\n"},
      {"\xEF\xBB\xBF", L"A", L"k", L"v", "\xEF\xBB\xBF[A]\r\nk=v\r\n"},
  };
  for (const WriteCase& c : cases) {
    IniDocument document(c.before);
    ASSERT_TRUE(document.Set(c.section, c.key, c.value)) << c.before;
    EXPECT_EQ(document.bytes(), c.after) << c.before;
    EXPECT_EQ(document.Get(c.section, c.key), c.value) << c.before;
  }
}

TEST(IniDocumentWriting, KeepsUtf16Files) {
  for (bool littleEndian : {true, false}) {
    IniDocument document(Utf16Bytes(L"[A]\r\nj=\u00e4\r\n", littleEndian));
    ASSERT_TRUE(document.Set(L"A", L"k", L"\U0001F600"));
    ASSERT_TRUE(document.Set(L"B", L"k", L"v"));
    EXPECT_EQ(document.bytes(),
              Utf16Bytes(L"[A]\r\nj=\u00e4\r\nk=\U0001F600\r\n\r\n[B]\r\nk=v\r\n", littleEndian));
  }
  // A dangling odd byte would put the new text out of step; it goes.
  IniDocument odd(Utf16Bytes(L"[A]\r\n", true) + "\x41");
  ASSERT_TRUE(odd.Set(L"A", L"k", L"v"));
  EXPECT_EQ(odd.bytes(), Utf16Bytes(L"[A]\r\nk=v\r\n", true));
}

TEST(IniDocumentWriting, RefusesWhatTheFormatCannotHold) {
  const std::string before = "[A]\nk=1\n";
  const struct {
    std::wstring section, key, value;
  } cases[] = {
      {L"A", L"a=b", L"v"}, {L"A", L"", L"v"},    {L"A", L"k", L"two\nlines"}, {L"A", L" k", L"v"},
      {L"A", L";k", L"v"},  {L"A", L"[k]", L"v"}, {L" A", L"k", L"v"},         {L"A\n", L"k", L"v"},
  };
  for (const auto& c : cases) {
    IniDocument document(before);
    EXPECT_FALSE(document.Set(c.section, c.key, c.value)) << ToUtf8(c.key);
    EXPECT_EQ(document.bytes(), before);
  }
}

TEST(IniDocumentWriting, NewDocumentsAreUtf8WithoutMark) {
  IniDocument document;
  ASSERT_TRUE(document.Set(L"Java Runtime Environment", L"JRE Path", L"C:\\J\u00e4va\\"));
  EXPECT_EQ(document.encoding(), IniEncoding::kUtf8);
  EXPECT_EQ(document.bytes(), "[Java Runtime Environment]\r\nJRE Path=C:\\J\xC3\xA4va\\\r\n");
}

} // namespace
} // namespace launcher
