#include "base/files.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "base/platform.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

TEST(Files, WholeFilesWithinTheirBound) {
  testing::ScratchFolder folder;
  std::string bytes(150000, '\0'); // more than one read's worth
  for (size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = static_cast<char>(i % 251);
  }
  const std::wstring file = folder.Write(L"data.bin", bytes);
  EXPECT_EQ(ReadRegularFile(file, bytes.size()).bytes, bytes);
  EXPECT_EQ(ReadRegularFile(file, bytes.size() - 1).result, FileReadResult::kTooLarge);
  EXPECT_EQ(ReadFileStart(file, 70000), bytes.substr(0, 70000));
  ASSERT_TRUE(WriteWholeFile(file, "")); // replaces, does not overlay
  EXPECT_EQ(ReadRegularFile(file, 0).result, FileReadResult::kRead);
  EXPECT_EQ(ReadRegularFile(folder.Path(L"gone"), 9).result, FileReadResult::kAbsent);
  EXPECT_FALSE(WriteWholeFile(folder.Path(L"gone/data.bin"), "x"));
}

TEST(Files, FoldersNamesAndTheCurrentFolder) {
  testing::ScratchFolder folder;
  for (const wchar_t* name : {L"a.jar", L"b.jar", L"notes.txt", L"classes/x"}) {
    folder.Write(name);
  }
  std::wstring found;
  for (const wchar_t* pattern : {L"*.jar", L"*", L"x*", L"notes.txt", L"gone/*.jar"}) {
    std::vector<std::wstring> names = FindMatchingNames(folder.Path(pattern));
    std::sort(names.begin(), names.end());
    for (const std::wstring& name : names) {
      found += name + L" ";
    }
    found += L"| ";
  }
  EXPECT_EQ(found, L"a.jar b.jar | a.jar b.jar classes notes.txt | | notes.txt | | ");
  EXPECT_TRUE(IsRegularFile(folder.Path(L"a.jar")) && !IsRegularFile(folder.Path(L"classes")));
  EXPECT_EQ(CreateParentFolders(folder.Path(L"a/b/c/out.log")), 0);
  EXPECT_TRUE(FileExists(folder.Path(L"a/b/c")) && !FileExists(folder.Path(L"a/b/c/out.log")));
  EXPECT_TRUE(CreateParentFolders(folder.Path(L"a/b/c/out.log")) == 0 &&
              CreateFolder(folder.Path(L"a")));
  EXPECT_NE(CreateParentFolders(folder.Path(L"a.jar/sub/out.log")), 0);
  EXPECT_FALSE(CreateFolder(folder.Path(L"gone/child")) || FileExists(L""));
  testing::ScopedCurrentFolder current(folder.path());
  EXPECT_TRUE(FileExists(L"a.jar") && AbsolutePathExists(folder.Path(L"a.jar")));
  EXPECT_FALSE(AbsolutePathExists(L"a.jar") || SetCurrentFolder(folder.Path(L"gone")));
  EXPECT_TRUE(FileExists(CurrentFolder() + kPathSeparator + L"a.jar"));
}

} // namespace
} // namespace launcher
