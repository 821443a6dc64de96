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

// The entries of a class path; no separator may follow the last one, which would put the
// current folder on the path.
std::multiset<std::wstring> Entries(const std::wstring& classPath) {
  EXPECT_TRUE(classPath.empty() || classPath.back() != kPathListSeparator) << classPath;
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
    const wchar_t* folder = L"C:\\App";
    wchar_t separator = L'\\';
  } cases[] = {
      {L"\\lib\\*.jar", false, L"C:\\App\\lib\\*.jar", L"C:\\App\\lib\\"},
      {L"\\app.jar", false, L"C:\\App\\app.jar", L"C:\\App\\"},
      // Without a leading separator the entry is still below the folder, not glued to it.
      {L"lib\\a.jar", false, L"C:\\App\\lib\\a.jar", L"C:\\App\\lib\\"},
      {L"app.jar", false, L"C:\\App\\app.jar", L"C:\\App\\"},
      {L"*", false, L"C:\\App\\*", L"C:\\App\\"},
      {L"D:\\x\\*.jar", true, L"D:\\x\\*.jar", L"D:\\x\\"},
      {L"\\\\server\\share\\*.jar", true, L"\\\\server\\share\\*.jar", L"\\\\server\\share\\"},
      {L"lib/*.jar", false, L"/opt/app/lib/*.jar", L"/opt/app/lib/", L"/opt/app", L'/'},
  };
  for (const auto& c : cases) {
    const ClassPathSearch search = ClassPathSearchFor(c.entry, c.absolute, c.folder, c.separator);
    EXPECT_EQ(search.pattern, c.pattern) << c.entry;
    EXPECT_EQ(search.prefix, c.prefix) << c.entry;
  }
}

class ClassPathFolder : public ::testing::Test {
protected:
  void SetUp() override {
    CreateFolder(folder.Path(L"lib"));
    CreateFolder(folder.Path(L"lib/classes"));
    folder.Write(L"lib/a.jar", "");
    folder.Write(L"lib/b.jar", "");
    folder.Write(L"lib/notes.txt", "");
    // A name holding the list separator cannot be named on a class path: never listed.
    folder.Write(std::wstring(L"lib/x") + kPathListSeparator + L"y.jar", "");
    folder.Write(L"app.jar", "");
  }
  std::wstring Module() const { return folder.Path(L"launcher"); }
  std::wstring Entry(const wchar_t* name) const { return folder.Path(name); }
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

TEST_F(ClassPathFolder, KeepsRelativeEntriesThatExistAndAbsoluteOnesUnchecked) {
  const std::wstring missing = folder.Path(L"missing.jar");
  const std::wstring pattern = folder.Path(L"lib") + kPathSeparator + L"a*.jar";
  ScopedEnvironmentVariable lib(L"HOSTING_TEST_LIB", folder.Path(L"lib"));
  ScopedEnvironmentVariable empty(L"HOSTING_TEST_EMPTY", L"");
  const std::wstring appJar = Entry(L"app.jar");
  const std::wstring module = Module();
  const struct {
    std::wstring setting;
    bool embed;
    std::wstring expected;
  } cases[] = {
      {L"\\app.jar", false, appJar},
      {L"app.jar", false, appJar},
      {L"lib\\a.jar", false, Entry(L"lib/a.jar")},
      {L"\\missing.jar", false, L""},
      {L"\\nothere\\*.jar", false, L""},
      {L"\\lib\\*.zip", false, L""},
      // Absolute entries pass unchecked and keep their order; their wildcards are searched.
      {missing + L";\\app.jar", false, missing + kPathListSeparator + appJar},
      {pattern, false, Entry(L"lib/a.jar")},
      {L";;\\app.jar;;", false, appJar},
      {L";", false, L""},
      {L"", false, L""},
      // Environment references are expanded per entry.
      {L"%HOSTING_TEST_LIB%\\a.jar;%HOSTING_TEST_EMPTY%", false, Entry(L"lib/a.jar")},
      // An embedded jar puts the launcher first.
      {L"", true, module},
      {L"\\app.jar", true, module + kPathListSeparator + appJar},
      {L"\\app.jar;\\lib\\a.jar", false, appJar + kPathListSeparator + Entry(L"lib/a.jar")},
      {L".", false, L"."}, // the current folder only where the settings name it
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Build(c.setting, c.embed), c.expected) << c.setting << " " << c.embed;
  }
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
