#include "base/files.h"

#include <gtest/gtest.h>

#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

using testing::ScratchFolder;

TEST(PosixFiles, NamesMatchWithCase) {
  ScratchFolder folder;
  folder.Write(L"app.jar", "");
  EXPECT_TRUE(FindMatchingNames(folder.Path(L"*.JAR")).empty());
  EXPECT_EQ(FindMatchingNames(folder.Path(L"*.jar")).size(), 1u);
}

TEST(PosixFiles, NonAsciiNamesTravelAsUtf8) {
  ScratchFolder folder;
  const std::wstring file = folder.Write(L"d\u00e4t\u00e4 \U0001F600.txt", "content");
  EXPECT_EQ(ReadWholeFile(file), std::string("content"));
  EXPECT_EQ(FindMatchingNames(folder.Path(L"d*")),
            std::vector<std::wstring>{L"d\u00e4t\u00e4 \U0001F600.txt"});
}

TEST(PosixFiles, FoldersAndKernelFilesAreReadSensibly) {
  ScratchFolder folder;
  EXPECT_FALSE(ReadWholeFile(folder.path()).has_value());
  // Files of /proc report no size; their content is still read whole.
  const std::optional<std::string> cmdline = ReadWholeFile(L"/proc/self/cmdline");
  ASSERT_TRUE(cmdline.has_value());
  EXPECT_FALSE(cmdline->empty());
}

TEST(PosixFiles, RelativeParentFoldersResolveAgainstTheCurrentFolder) {
  ScratchFolder folder;
  testing::ScopedCurrentFolder current(folder.path());
  EXPECT_EQ(CreateParentFolders(L"x/y/file"), 0);
  EXPECT_TRUE(FileExists(folder.Path(L"x/y")));
  EXPECT_FALSE(AbsolutePathExists(L"x/y"));
}

} // namespace
} // namespace launcher
