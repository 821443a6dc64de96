#include "settings/ini_file.h"

#include <gtest/gtest.h>

#include "base/files.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

using testing::ScratchFolder;

TEST(PosixIniFile, AWriteKeepsEveryOtherByte) {
  ScratchFolder folder;
  const std::string before = "; shipped settings\n[A]\nk = old\t\n\n[B]\nx=\xE9\n";
  const IniFile file(folder.Write(L"app.ini", before));
  ASSERT_TRUE(file.WriteString(L"A", L"k", L"new"));
  EXPECT_EQ(ReadRegularFile(file.path(), 1 << 30).bytes,
            std::string("; shipped settings\n[A]\nk = new\n\n[B]\nx=\xE9\n"));
}

TEST(PosixIniFile, AnUnreadableFileIsNotOverwritten) {
  // A folder stands for any file that is there but cannot be read (permissions do not stop
  // the root user the tests may run as): writing must not replace it with a new file.
  ScratchFolder folder;
  ASSERT_TRUE(CreateFolder(folder.Path(L"app.ini")));
  EXPECT_FALSE(IniFile(folder.Path(L"app.ini")).WriteString(L"A", L"k", L"v"));
  EXPECT_FALSE(IniFile(folder.Path(L"missing/app.ini")).WriteString(L"A", L"k", L"v"));
}

} // namespace
} // namespace launcher
