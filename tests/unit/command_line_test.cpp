#include "base/command_line.h"

#include <gtest/gtest.h>

#include "base/text.h"

namespace launcher {
namespace {

using Pieces = std::vector<std::wstring>;

Pieces Split(std::wstring_view text) {
  Pieces pieces;
  SplitCommandLine(text, pieces);
  return pieces;
}

TEST(SplitCommandLine, FollowsTheLaunchersOwnRule) {
  struct Case {
    std::wstring text;
    Pieces pieces;
  };
  const Case cases[] = {
      {L"\"C:\\My App\\app.exe\" \"x y\" z", {L"C:\\My App\\app.exe", L"x y", L"z"}},
      {L"app.exe \"\" b", {L"app.exe", L"", L"b"}},
      {L"app.exe a\"b c\"", {L"app.exe", L"a\"b", L"c\""}},
      {L"app.exe C:\\dir\\ x", {L"app.exe", L"C:\\dir\\", L"x"}},
      {L"app.exe a\\\"b \"a\\\"b\"", {L"app.exe", L"a\\\"b", L"a\\", L"b\""}},
      {L"", {}},
      {L"a  b", {L"a", L"b"}},       // runs of blanks are one separator
      {L"a\tb", {L"a\tb"}},          // a tab is an ordinary character
      {L" a", {L"", L"a"}},          // a leading blank ends an empty first piece
      {L"\"", {L""}},                // an opening quote at the very end
      {L"\"a\"\"b\"", {L"a", L"b"}}, // a closing quote starts the next piece at once
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Split(c.text), c.pieces) << ToUtf8(c.text);
  }
}

TEST(SplitCommandLine, HandlesLongLinesAndUnbalancedQuotes) {
  const std::wstring word(32000, L'x');
  EXPECT_EQ(Split(L"app.exe " + word), (Pieces{L"app.exe", word}));

  std::wstring manyQuotes;
  for (int i = 0; i < 16001; ++i) {
    manyQuotes += L"\" ";
  }
  const Pieces pieces = Split(manyQuotes);
  // Each pair of quotes encloses one blank; the odd one out takes the rest of the line.
  ASSERT_EQ(pieces.size(), 8001u);
  EXPECT_EQ(pieces.front(), L" ");
  EXPECT_EQ(pieces.back(), L" ");
}

TEST(ArgumentsFromCommandLine, TrimsSplitsAndDropsTheProgramName) {
  struct Case {
    std::wstring commandLine;
    Pieces arguments;
  };
  const Case cases[] = {
      {L"app.exe", {}},
      {L"", {}},
      {L"  app.exe  a  ", {L"a"}},
      {L"\"C:\\My App\\app.exe\" doc.txt", {L"doc.txt"}},
      {L"C:\\My App\\app.exe doc.txt", {L"App\\app.exe", L"doc.txt"}}, // unquoted blank in the name
      {L"app.exe -nosplash \"\"", {L"-nosplash", L""}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ArgumentsFromCommandLine(c.commandLine), c.arguments) << ToUtf8(c.commandLine);
  }
}

TEST(ArgumentsFromArgumentBlock, KeepsEveryArgumentAsGiven) {
  using namespace std::string_literals;
  struct Case {
    std::string block;
    Pieces arguments;
  };
  const Case cases[] = {
      {"prog\0"s, {}},
      {"prog\0a\0\0b c\0"s, {L"a", L"", L"b c"}},
      {"prog\0\xC3\xA4\xF0\x9F\x98\x80\0"s, {L"\u00e4\U0001F600"}},
      {"prog\0\xFF\0"s, {L"\uFFFD"}},
      {"prog\0last"s, {L"last"}}, // no terminator after the last argument
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ArgumentsFromArgumentBlock(c.block), c.arguments);
  }
}

} // namespace
} // namespace launcher
