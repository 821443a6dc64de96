#include "base/path_rules.h"

#include <gtest/gtest.h>

#include "base/text.h"

namespace launcher {
namespace {

TEST(StripPathComponents, CutsAtTheLastSeparatorEachTime) {
  struct Case {
    std::wstring path;
    int n;
    std::wstring expected;
  };
  const Case cases[] = {
      {L"C:\\rt\\bin\\server\\jvm.dll", 2, L"C:\\rt\\bin"},
      {L"C:\\jvm.dll", 2, L"C:"}, // one cut, then nothing left to cut
      {L"jvm.dll", 1, L"jvm.dll"},
      {L"C:\\rt\\", 1, L"C:\\rt"},
      {L"C:\\a\\b", 0, L"C:\\a\\b"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StripPathComponents(c.path, c.n, L'\\'), c.expected) << ToUtf8(c.path) << " " << c.n;
  }
  EXPECT_EQ(StripPathComponents(L"/usr/lib/jvm/lib/server/libjvm.so", 3, L'/'), L"/usr/lib/jvm");
}

TEST(PathPieces, TrailingSeparatorFolderAndFileName) {
  EXPECT_EQ(EnsureTrailingSeparator(L"C:\\jre", L'\\'), L"C:\\jre\\");
  EXPECT_EQ(EnsureTrailingSeparator(L"C:\\jre\\", L'\\'), L"C:\\jre\\");
  EXPECT_EQ(FolderWithSeparator(L"C:\\app\\tool.exe", L'\\'), L"C:\\app\\");
  EXPECT_EQ(FolderWithSeparator(L"tool.exe", L'\\'), L"");
  EXPECT_EQ(FileNameOf(L"C:\\app\\tool.exe", L'\\'), L"tool.exe");
  EXPECT_EQ(FileNameOf(L"/opt/app/", L'/'), L"");
}

TEST(SettingsPathFor, ReplacesEverythingAfterTheLastDot) {
  struct Case {
    std::wstring path;
    std::optional<std::wstring> expected;
  };
  const Case cases[] = {
      {L"C:\\Apps\\Tool.exe", L"C:\\Apps\\Tool.ini"},
      {L"C:\\My.Apps\\Tool", L"C:\\My.ini"},
      {L"C:\\Apps\\Tool", std::nullopt},
      {L"C:\\Apps\\Tool.", L"C:\\Apps\\Tool.ini"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SettingsPathFor(c.path), c.expected) << ToUtf8(c.path);
  }
}

TEST(SanitizeFolderName, DropsTheCharactersFoldersCannotHold) {
  EXPECT_EQ(SanitizeFolderName(L"Tools: A/B?"), L"Tools AB");
  EXPECT_EQ(SanitizeFolderName(L"\\?\"|><:/*"), L"");
  EXPECT_EQ(SanitizeFolderName(L"Caf\u00e9 1.0"), L"Caf\u00e9 1.0");
}

TEST(WindowsPathClassification, AbsoluteNetworkAndLongPrefix) {
  struct Case {
    std::wstring path;
    bool absolute, network, prefixed;
  };
  const Case cases[] = {
      {L"C:\\x", true, false, false},       {L"C:", true, false, false},
      {L"C", false, false, false},          {L"\\\\server\\share", true, true, false},
      {L"\\\\?\\C:\\x", true, false, true}, {L"\\x", false, false, false},
      {L"x\\y", false, false, false},       {L"\\\\", true, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsWindowsAbsolutePath(c.path), c.absolute) << ToUtf8(c.path);
    EXPECT_EQ(IsWindowsNetworkPath(c.path), c.network) << ToUtf8(c.path);
    EXPECT_EQ(HasLongPathPrefix(c.path), c.prefixed) << ToUtf8(c.path);
  }
}

TEST(WindowsPathClassification, LongPathsGetThePrefixOnce) {
  const std::wstring path259 = L"C:\\" + std::wstring(256, L'a');
  const std::wstring path260 = path259 + L"b";
  ASSERT_EQ(path259.size(), 259u);
  EXPECT_EQ(WithLongPathPrefix(path259), path259);
  EXPECT_EQ(WithLongPathPrefix(path260), L"\\\\?\\" + path260);
  EXPECT_EQ(WithLongPathPrefix(L"\\\\?\\" + path260), L"\\\\?\\" + path260);
}

} // namespace
} // namespace launcher
