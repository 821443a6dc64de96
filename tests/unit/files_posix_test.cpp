#include "base/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/text.h"
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
  EXPECT_EQ(ReadRegularFile(file, 1 << 30).bytes, std::string("content"));
  EXPECT_EQ(FindMatchingNames(folder.Path(L"d*")),
            std::vector<std::wstring>{L"d\u00e4t\u00e4 \U0001F600.txt"});
}

// Only regular files are read, and opening never waits: a FIFO, a device or a folder where a
// file is expected counts as absent at once.
TEST(PosixFiles, OnlyRegularFilesAreReadAndNothingBlocks) {
  ScratchFolder folder;
  const std::string fifo = ToUtf8(folder.Path(L"fifo"));
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string zero = ToUtf8(folder.Path(L"zero"));
  ASSERT_EQ(symlink("/dev/zero", zero.c_str()), 0);
  folder.Write(L"big", std::string(11, 'x'));
  struct Case {
    std::wstring path;
    FileReadResult result;
    bool regular;
  };
  for (const Case& c : {Case{folder.Path(L"fifo"), FileReadResult::kAbsent, false},
                        Case{folder.Path(L"zero"), FileReadResult::kAbsent, false},
                        Case{folder.path(), FileReadResult::kAbsent, false},
                        Case{folder.Path(L"missing"), FileReadResult::kAbsent, false},
                        Case{folder.Path(L"big"), FileReadResult::kTooLarge, true},
                        Case{L"/proc/self/cmdline", FileReadResult::kTooLarge, true}}) {
    EXPECT_EQ(ReadRegularFile(c.path, 10).result, c.result) << ToUtf8(c.path);
    EXPECT_EQ(IsRegularFile(c.path), c.regular) << ToUtf8(c.path);
    EXPECT_EQ(ReadFileStart(c.path, 4).empty(), !c.regular) << ToUtf8(c.path);
  }
  // Files of /proc report no size: the bound holds all the same, and they are read whole.
  EXPECT_FALSE(ReadRegularFile(L"/proc/self/cmdline", 1 << 20).bytes.empty());
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
