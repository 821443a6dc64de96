#include "jvm/hosting/class_path.h"

#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include "base/files.h"
#include "base/platform.h"
#include "base/text.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

using testing::ScopedEnvironmentVariable;
using testing::ScratchFolder;

// The entries of a class path; each must be followed by the list separator.
std::multiset<std::wstring> Entries(const std::wstring& classPath) {
  EXPECT_TRUE(classPath.empty() || classPath.back() == kPathListSeparator) << classPath;
  std::multiset<std::wstring> entries;
  for (const std::wstring& entry : SplitList(classPath, kPathListSeparator)) {
    entries.insert(entry);
  }
  return entries;
}

TEST(ClassPathSearch, JoinsRelativeEntriesToTheLauncherFolder) {
  const struct {
    const wchar_t* entry;
    bool absolute;
    const wchar_t* pattern;
    const wchar_t* prefix;
  } cases[] = {
      {L"\\lib\\*.jar", false, L"C:\\App\\lib\\*.jar", L"C:\\App\\lib\\"},
      {L"\\app.jar", false, L"C:\\App\\app.jar", L"C:\\App\\"},
      // Without a leading separator the entry is still below the folder, not glued to it.
      {L"lib\\a.jar", false, L"C:\\App\\lib\\a.jar", L"C:\\App\\lib\\"},
      {L"app.jar", false, L"C:\\App\\app.jar", L"C:\\App\\"},
      {L"*", false, L"C:\\App\\*", L"C:\\App\\"},
      {L"D:\\x\\*.jar", true, L"D:\\x\\*.jar", L"D:\\x\\"},
      {L"\\\\server\\share\\*.jar", true, L"\\\\server\\share\\*.jar", L"\\\\server\\share\\"},
  };
  for (const auto& c : cases) {
    const ClassPathSearch search = ClassPathSearchFor(c.entry, c.absolute, L"C:\\App", L'\\');
    EXPECT_EQ(search.pattern, c.pattern) << c.entry;
    EXPECT_EQ(search.prefix, c.prefix) << c.entry;
  }
}

TEST(ClassPathSearch, UsesTheGivenSeparator) {
  const ClassPathSearch search = ClassPathSearchFor(L"lib/*.jar", false, L"/opt/app", L'/');
  EXPECT_EQ(search.pattern, L"/opt/app/lib/*.jar");
  EXPECT_EQ(search.prefix, L"/opt/app/lib/");
}

class ClassPathFolder : public ::testing::Test {
protected:
  void SetUp() override {
    CreateFolder(folder.Path(L"lib"));
    CreateFolder(folder.Path(L"lib/classes"));
    folder.Write(L"lib/a.jar", "");
    folder.Write(L"lib/b.jar", "");
    folder.Write(L"lib/notes.txt", "");
    folder.Write(L"app.jar", "");
  }
  std::wstring Module() const { return folder.Path(L"launcher"); }
  std::wstring Entry(const wchar_t* name) const { return folder.Path(name) + kPathListSeparator; }
  std::wstring Build(const std::wstring& setting, bool embed = false) const {
    return BuildClassPath(setting, embed, Module());
  }

  ScratchFolder folder;
};

TEST_F(ClassPathFolder, WildcardsExpandBelowTheLauncherFolder) {
  EXPECT_EQ(Entries(Build(L"\\lib\\*.jar")),
            (std::multiset<std::wstring>{folder.Path(L"lib/a.jar"), folder.Path(L"lib/b.jar")}));
}

TEST_F(ClassPathFolder, AStarAlsoTakesFoldersButNeverDotEntries) {
  EXPECT_EQ(
      Entries(Build(L"\\lib\\*")),
      (std::multiset<std::wstring>{folder.Path(L"lib/a.jar"), folder.Path(L"lib/b.jar"),
                                   folder.Path(L"lib/notes.txt"), folder.Path(L"lib/classes")}));
}

TEST_F(ClassPathFolder, RelativeEntriesAreKeptOnlyWhenTheyExist) {
  EXPECT_EQ(Build(L"\\app.jar"), Entry(L"app.jar"));
  EXPECT_EQ(Build(L"app.jar"), Entry(L"app.jar"));
  EXPECT_EQ(Build(L"lib\\a.jar"), Entry(L"lib/a.jar"));
  EXPECT_EQ(Build(L"\\missing.jar"), L"");
  EXPECT_EQ(Build(L"\\nothere\\*.jar"), L"");
  EXPECT_EQ(Build(L"\\lib\\*.zip"), L"");
}

TEST_F(ClassPathFolder, AbsoluteEntriesPassUncheckedAndKeepTheirOrder) {
  const std::wstring missing = folder.Path(L"missing.jar");
  EXPECT_EQ(Build(missing + L";\\app.jar"), missing + kPathListSeparator + Entry(L"app.jar"));
}

TEST_F(ClassPathFolder, AbsoluteWildcardsAreSearchedAsTheyStand) {
  const std::wstring pattern = folder.Path(L"lib") + kPathSeparator + L"a*.jar";
  EXPECT_EQ(Build(pattern), Entry(L"lib/a.jar"));
}

TEST_F(ClassPathFolder, EmptyPiecesAreSkipped) {
  EXPECT_EQ(Build(L";;\\app.jar;;"), Entry(L"app.jar"));
  EXPECT_EQ(Build(L";"), L"");
  EXPECT_EQ(Build(L""), L"");
}

TEST_F(ClassPathFolder, EnvironmentReferencesAreExpandedPerEntry) {
  ScopedEnvironmentVariable lib(L"HOSTING_TEST_LIB", folder.Path(L"lib"));
  ScopedEnvironmentVariable empty(L"HOSTING_TEST_EMPTY", L"");
  EXPECT_EQ(Build(L"%HOSTING_TEST_LIB%\\a.jar;%HOSTING_TEST_EMPTY%"), Entry(L"lib/a.jar"));
}

TEST_F(ClassPathFolder, AnEmbeddedJarPutsTheLauncherFirst) {
  EXPECT_EQ(Build(L"", true), Module() + kPathListSeparator);
  EXPECT_EQ(Build(L"\\app.jar", true), Module() + kPathListSeparator + Entry(L"app.jar"));
}

TEST(ClassPathScale, AFolderOfFiveThousandJarsIsListedWhole) {
  ScratchFolder folder;
  CreateFolder(folder.Path(L"lib"));
  for (int i = 0; i < 5000; ++i) {
    folder.Write(L"lib/library-" + std::to_wstring(i) + L".jar", "");
  }
  const std::multiset<std::wstring> entries =
      Entries(BuildClassPath(L"\\lib\\*.jar", false, folder.Path(L"x")));
  ASSERT_EQ(entries.size(), 5000u);
  EXPECT_EQ(entries.count(folder.Path(L"lib/library-4999.jar")), 1u);
  EXPECT_EQ(std::set<std::wstring>(entries.begin(), entries.end()).size(), 5000u);
}

} // namespace
} // namespace launcher
