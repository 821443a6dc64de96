// The pure text rules: conversions, lists, messages, command lines, paths, wildcards and
// environment references.

#include "base/text.h"

#include <gtest/gtest.h>

#include "base/command_line.h"
#include "base/environment.h"
#include "base/environment_expansion.h"
#include "base/path_rules.h"
#include "base/string_table.h"
#include "base/text_format.h"
#include "base/wildcard.h"
#include "jvm/hosting/modified_utf8.h"
#include "launcher/launcher_app.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

using namespace std::string_literals;
using Texts = std::vector<std::wstring>;
const std::wstring kBad(1, static_cast<wchar_t>(0xFFFD));

TEST(Text, Utf8AndUtf16RoundTripAndReplaceWhatIsInvalid) {
  for (const std::wstring& text : {L"Gr\u00fc\u00dfe \U0001F600 \U0010FFFF"s, L"a\0b"s}) {
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    EXPECT_EQ(FromUtf16(ToUtf16(text)), text);
  }
  EXPECT_EQ(ToUtf8(L"\u00e4\u07ff\u0800\U0001F600"),
            "\xC3\xA4\xDF\xBF\xE0\xA0\x80\xF0\x9F\x98\x80");
  EXPECT_EQ(ToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
  EXPECT_EQ(ToUtf16(L"a\U00010000\xDFFF"), u"a\U00010000\xDFFF"); // lone surrogates kept
  EXPECT_EQ(FromUtf16(std::u16string{char16_t(0xDBFF), u'x', char16_t(0xDC00)}),
            kBad + L"x" + kBad);
  // Each malformed sequence becomes one replacement character.
  EXPECT_EQ(FromUtf8("\x80|a\xFF|\xC3|\xE2\x82"
                     "A|\xC0\xAF|\xED\xA0\x80|\xF4\x90\x80\x80|\xEF\xBF\xBF\xF0\x90\x80\x80"),
            L"\uFFFD|a\uFFFD|\uFFFD|\uFFFDA|\uFFFD|\uFFFD|\uFFFD|\uffff\U00010000");
  const std::u16string units(u"\u007f\0\u0080\u07ff\u0800\U0001F600", 7);
  const std::string modified = "\x7F\xC0\x80\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\xA0\xBD\xED\xB8\x80"s;
  EXPECT_EQ(EncodeModifiedUtf8(units), modified);
  EXPECT_EQ(DecodeModifiedUtf8(modified), units);
  EXPECT_EQ(WideFromModifiedUtf8("\xED\xA0\xBD\xED\xB8\x80!"), L"\U0001F600!");
  EXPECT_EQ(DecodeModifiedUtf8("\xF0\x9F\x98\x80\xED\xA0\xBD\x80x\xC3"), // standard UTF-8 too
            std::u16string(u"\U0001F600") + char16_t(0xD83D) + u"\ufffdx\ufffd");
  EXPECT_EQ(DecodeModifiedUtf8("\xE2\x82\xFF"), u"\ufffd\ufffd\ufffd");
  // Standard UTF-8's four-byte forms up to U+10FFFF, and nothing beyond.
  EXPECT_EQ(DecodeModifiedUtf8("\xF4\x8F\xBF\xBF\xF4\x90\x80\x80"), u"\U0010FFFF\ufffd");
}

TEST(Text, CaseListsMessagesAndFormats) {
  EXPECT_TRUE(EqualsIgnoringAsciiCase(L"Yes", L"yES") && StartsWith(L"-Xss1m", L"-Xss"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase(L"Yes", L"Ye") || EqualsIgnoringAsciiCase(L"[@", L"{`") ||
               EqualsIgnoringAsciiCase(L"\u00c4", L"\u00e4") || StartsWith(L"-Xs", L"-Xss"));
  EXPECT_TRUE(EndsWith(L"tool.exe", L".exe") && !EndsWith(L"exe", L".exe"));
  EXPECT_EQ(SplitList(L"", L';'), Texts{});
  EXPECT_EQ(SplitList(L"1.8;;1.7;", L';'), (Texts{L"1.8", L"", L"1.7"}));
  EXPECT_EQ(SplitList(L";; a ", L';'), (Texts{L"", L"", L" a "}));
  for (const auto& [format, expected] : {std::pair{L"%s (errno = %d).%s", L"x (errno = -5)."},
                                         {L"100%", L"100%"},
                                         {L"50%% %x%", L"50% %x%"}}) {
    EXPECT_EQ(FormatText(format, {L"x", -5}), expected);
  }
  EXPECT_EQ(FormatText(L"%s", {L"%s%d"}), L"%s%d"); // arguments are not formatted again
  const uint16_t block[] = {1, u'a', 0, 2, u'x', u'y', 100, u'b'}; // the last claims 100 units
  EXPECT_EQ(StringFromTableBlock(block, 8, 0), u"a");
  EXPECT_EQ(StringFromTableBlock(block, 8, 2), u"xy");
  for (const auto& [units, index] : {std::pair{8, 1}, {8, 3}, {8, 15}, {5, 2}, {0, 0}}) {
    EXPECT_TRUE(StringFromTableBlock(block, units, index).empty()) << units << " " << index;
  }
}

// Only the blank separates; a quote opens a piece that ends at the next quote, and a closing
// quote starts the next piece at once; backslashes mean nothing.
TEST(Text, CommandLines) {
  std::wstring pieces;
  for (const wchar_t* line : {L"\"C:\\My App\\app.exe\" \"\" z\\\"", L"a\"b c\"  \"d\"\"e\" f\tg ",
                              L" a \"b c", L"\"", L""}) {
    Texts split;
    SplitCommandLine(line, split);
    for (const std::wstring& piece : split) {
      pieces += piece + L"|";
    }
    pieces += L"\n";
  }
  EXPECT_EQ(pieces, L"C:\\My App\\app.exe||z\\\"|\na\"b|c\"|d|e|f\tg|\n|a|b c|\n|\n\n");
  EXPECT_EQ(ArgumentsFromCommandLine(L" \t app.exe  a \"\" \t\r\n"), (Texts{L"a", L""}));
  EXPECT_EQ(ArgumentsFromCommandLine(L"C:\\My App\\app.exe"), Texts{L"App\\app.exe"});
  EXPECT_EQ(ArgumentsFromArgumentBlock("p\0a\0\0\xC3\xA4\xF0\x9F\x98\x80\0\xFF\0last"s),
            (Texts{L"a", L"", L"\u00e4\U0001F600", kBad, L"last"}));
  EXPECT_EQ(ArgumentsFromArgumentBlock("p\0"s), Texts{}); // nothing after the last terminator
  EXPECT_FALSE(IsSplashWanted({L"doc", L"-nosplash"}) || IsSplashWanted({L"/nosplash"}));
  EXPECT_TRUE(IsSplashWanted({}) && IsSplashWanted({L"-NoSplash", L"--nosplash", L"-nosplash "}));
}

TEST(Text, PathRules) {
  EXPECT_EQ(StripPathComponents(L"C:\\rt\\bin\\server\\jvm.dll", 2, L'\\'), L"C:\\rt\\bin");
  EXPECT_EQ(StripPathComponents(L"C:\\jvm.dll", 2, L'\\'), L"C:");
  EXPECT_EQ(StripPathComponents(L"/a/b", 0, L'/'), L"/a/b");
  EXPECT_EQ(EnsureTrailingSeparator(L"C:\\jre", L'\\') + EnsureTrailingSeparator(L"x\\", L'\\') +
                EnsureTrailingSeparator(L"", L'/'),
            L"C:\\jre\\x\\/");
  EXPECT_EQ(FolderWithSeparator(L"C:\\app\\tool.exe", L'\\') + FolderWithSeparator(L"tool", L'\\'),
            L"C:\\app\\");
  EXPECT_EQ(FileNameOf(L"C:\\app\\t.exe", L'\\') + FileNameOf(L"t", L'\\') +
                FileNameOf(L"/o/", L'/'),
            L"t.exet");
  EXPECT_EQ(SanitizeFolderName(L"Tools: A/B?\\\"|><*\u00e9"), L"Tools AB\u00e9");
  EXPECT_EQ(SettingsPathFor(L"C:\\My.Apps\\Tool"), L"C:\\My.ini");
  EXPECT_EQ(SettingsPathFor(L"C:\\Apps\\Tool."), L"C:\\Apps\\Tool.ini");
  EXPECT_EQ(SettingsPathFor(L"C:\\Apps\\Tool"), std::nullopt);
  std::wstring kinds; // absolute, network, long-path prefix
  for (const wchar_t* path :
       {L"C:\\x", L"C:", L"C", L"\\\\srv\\s", L"\\\\?\\C:\\x", L"\\\\?", L"\\x", L"\\\\"}) {
    kinds += std::wstring(IsWindowsAbsolutePath(path) ? L"a" : L"") +
             (IsWindowsNetworkPath(path) ? L"n" : L"") + (HasLongPathPrefix(path) ? L"p|" : L"|");
  }
  EXPECT_EQ(kinds, L"a|a||an|ap|a||a|");
  const std::wstring path259 = L"C:\\" + std::wstring(256, L'a');
  EXPECT_EQ(WithLongPathPrefix(path259), path259);
  EXPECT_EQ(WithLongPathPrefix(path259 + L"b"), L"\\\\?\\" + path259 + L"b");
  EXPECT_EQ(WithLongPathPrefix(L"\\\\?\\" + path259), L"\\\\?\\" + path259);
}

TEST(Text, WildcardsAndEnvironmentReferences) {
  const struct {
    const wchar_t *pattern, *name;
    bool ignoringCase, withCase;
  } cases[] = {
      {L"*.jar", L"app.jar", 1, 1},
      {L"*.JAR", L"a.jar", 1, 0},
      {L"*.jar", L"a.jar.bak", 0, 0},
      {L"*", L"", 1, 1},
      {L"a?c", L"abc", 1, 1},
      {L"a?c", L"ac", 0, 0},
      {L"*a*b", L"ab_ab_a", 0, 0},
      {L"", L"a", 0, 0},
      {L"**a*", L"a", 1, 1},
      {L"Z", L"z", 1, 0},
      {L"[", L"{", 0, 0},
      {L"ab", L"a", 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchesWildcard(c.pattern, c.name, true), c.ignoringCase) << c.pattern << c.name;
    EXPECT_EQ(MatchesWildcard(c.pattern, c.name, false), c.withCase) << c.pattern << c.name;
  }
  EXPECT_TRUE(HasWildcard(L"lib\\*") && HasWildcard(L"a?.jar") && !HasWildcard(L"lib\\a.jar"));
  const EnvironmentLookup lookup = [](const std::wstring& name) -> std::optional<std::wstring> {
    return name == L"A" ? L"x" : name == L"E" ? L"" : std::optional<std::wstring>();
  };
  EXPECT_EQ(ExpandEnvironmentReferences(L"%A%%A%-%E%|%UNSET%A%|a%A|%A%B|%%A%", lookup),
            L"xx-|%UNSETx|a%A|xB|%x");      // an unknown name's second "%" may open the next one
  const std::wstring longValue(5000, L'v'); // longer than any fixed buffer
  testing::ScopedEnvironmentVariable variable(L"LAUNCHER_UNIT_TEST_VARIABLE", longValue);
  std::wstring text = L"%LAUNCHER_UNIT_TEST_VARIABLE%|%LAUNCHER_UNIT_TEST_UNSET%";
  ExpandEnvironment(text);
  EXPECT_EQ(text, longValue + L"|%LAUNCHER_UNIT_TEST_UNSET%");
  EXPECT_FALSE(ReadEnvironmentVariable(L"LAUNCHER_UNIT_TEST_UNSET").has_value());
}

} // namespace
} // namespace launcher
