#include "base/files.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "base/path_rules.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

using testing::ScratchFolder;

std::vector<std::wstring> Sorted(std::vector<std::wstring> names) {
  std::sort(names.begin(), names.end());
  return names;
}

TEST(WholeFiles, RoundTripBytesExactly) {
  ScratchFolder folder;
  std::string bytes(1 << 20, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = static_cast<char>((i * 7919) % 251);
  }
  const std::wstring file = folder.Path(L"data.bin");
  ASSERT_TRUE(WriteWholeFile(file, bytes));
  EXPECT_EQ(ReadRegularFile(file, 1 << 30).bytes, bytes);
  ASSERT_TRUE(WriteWholeFile(file, "short")); // replaces, does not overlay
  EXPECT_EQ(ReadRegularFile(file, 1 << 30).bytes, std::string("short"));
  ASSERT_TRUE(WriteWholeFile(file, ""));
  EXPECT_EQ(ReadRegularFile(file, 1 << 30).bytes, std::string());
  EXPECT_FALSE(
      (ReadRegularFile(folder.Path(L"missing.bin"), 1 << 30).result == FileReadResult::kRead));
  EXPECT_FALSE(WriteWholeFile(folder.Path(L"missing/data.bin"), "x"));
}

TEST(Existence, RelativePathsAreNeverAbsolute) {
  ScratchFolder folder;
  folder.Write(L"here.txt", "x");
  EXPECT_TRUE(FileExists(folder.Path(L"here.txt")));
  EXPECT_TRUE(AbsolutePathExists(folder.Path(L"here.txt")));
  EXPECT_FALSE(FileExists(folder.Path(L"gone.txt")));
  EXPECT_FALSE(FileExists(L""));

  testing::ScopedCurrentFolder current(folder.path());
  EXPECT_TRUE(FileExists(L"here.txt"));
  EXPECT_FALSE(AbsolutePathExists(L"here.txt"));
  EXPECT_TRUE(FileExists(CurrentFolder() + kPathSeparator + L"here.txt"));
  EXPECT_FALSE(SetCurrentFolder(folder.Path(L"missing")));
}

TEST(Folders, ParentFoldersAreCreatedFromTheRootDown) {
  ScratchFolder folder;
  const std::wstring file = folder.Path(L"a/b/c/out.log");
  EXPECT_EQ(CreateParentFolders(file), 0);
  EXPECT_TRUE(FileExists(folder.Path(L"a/b/c")));
  EXPECT_FALSE(FileExists(file)); // the file itself is left alone
  EXPECT_EQ(CreateParentFolders(file), 0);
  EXPECT_TRUE(CreateFolder(folder.Path(L"a")));

  folder.Write(L"plain", "x"); // a file where a folder is needed
  EXPECT_NE(CreateParentFolders(folder.Path(L"plain/sub/out.log")), 0);
  EXPECT_FALSE(CreateFolder(folder.Path(L"missing/child")));
}

TEST(FindMatchingNames, ListsMatchesWithoutDotEntries) {
  ScratchFolder folder;
  folder.Write(L"a.jar", "");
  folder.Write(L"b.jar", "");
  folder.Write(L"notes.txt", "");
  ASSERT_TRUE(CreateFolder(folder.Path(L"classes")));

  EXPECT_EQ(Sorted(FindMatchingNames(folder.Path(L"*.jar"))),
            (std::vector<std::wstring>{L"a.jar", L"b.jar"}));
  EXPECT_EQ(Sorted(FindMatchingNames(folder.Path(L"*"))),
            (std::vector<std::wstring>{L"a.jar", L"b.jar", L"classes", L"notes.txt"}));
  EXPECT_TRUE(FindMatchingNames(folder.Path(L"x*.jar")).empty());
  EXPECT_EQ(FindMatchingNames(folder.Path(L"notes.txt")), std::vector<std::wstring>{L"notes.txt"});
  EXPECT_TRUE(FindMatchingNames(folder.Path(L"missing/*.jar")).empty());
}

} // namespace
} // namespace launcher
