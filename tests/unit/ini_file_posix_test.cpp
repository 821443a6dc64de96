#include "settings/ini_file.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "base/files.h"
#include "base/text.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

using testing::ScratchFolder;

TEST(PosixIniFile, AWriteKeepsEveryOtherByte) {
  ScratchFolder folder;
  const std::string before = "; shipped settings\n[A]\nk = old\t\n\n[B]\nx=\xE9\n";
  const IniFile file(folder.Write(L"app.ini", before));
  ASSERT_TRUE(file.WriteString(L"A", L"k", L"new"));
  EXPECT_EQ(ReadWholeFile(file.path()),
            std::string("; shipped settings\n[A]\nk = new\n\n[B]\nx=\xE9\n"));
}

TEST(PosixIniFile, AnUnreadableFileIsNotOverwritten) {
  if (geteuid() == 0) {
    GTEST_SKIP() << "root reads every file";
  }
  ScratchFolder folder;
  const IniFile file(folder.Write(L"app.ini", "[A]\nk=v\n"));
  ASSERT_EQ(chmod(ToUtf8(file.path()).c_str(), 0200), 0);
  EXPECT_FALSE(file.WriteString(L"A", L"j", L"w"));
  chmod(ToUtf8(file.path()).c_str(), 0600);
  EXPECT_EQ(ReadWholeFile(file.path()), std::string("[A]\nk=v\n"));
}

TEST(PosixIniFile, AFolderInTheWayFailsTheWrite) {
  ScratchFolder folder;
  ASSERT_TRUE(CreateFolder(folder.Path(L"app.ini")));
  EXPECT_FALSE(IniFile(folder.Path(L"app.ini")).WriteString(L"A", L"k", L"v"));
  EXPECT_FALSE(IniFile(folder.Path(L"missing/app.ini")).WriteString(L"A", L"k", L"v"));
}

} // namespace
} // namespace launcher
