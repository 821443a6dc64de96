#include "settings/ini_file.h"

#include <gtest/gtest.h>

#include "base/files.h"
#include "base/text.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

using testing::ScratchFolder;
using testing::Utf16Bytes;

// What both platforms' readers promise, checked through real files.
TEST(IniFileReading, MissingFilesSectionsAndKeysReadEmpty) {
  ScratchFolder folder;
  EXPECT_EQ(IniFile(folder.Path(L"missing.ini")).ReadString(L"A", L"k"), L"");
  const IniFile file(folder.Write(L"app.ini", "[A]\r\nk=v\r\n"));
  EXPECT_EQ(file.ReadString(L"A", L"missing"), L"");
  EXPECT_EQ(file.ReadString(L"Missing", L"k"), L"");
  EXPECT_EQ(file.ReadString(L"a", L"K"), L"v");
}

TEST(IniFileReading, LongValuesAreReadWhole) {
  ScratchFolder folder;
  for (size_t length : {255u, 256u, 512u, 5000u}) {
    const std::wstring value(length, L'x');
    const IniFile file(folder.Write(L"app.ini", "[A]\r\nk=" + ToUtf8(value) + "\r\n"));
    EXPECT_EQ(file.ReadString(L"A", L"k"), value) << length;
  }
}

TEST(IniFileReading, HugeFiles) {
  ScratchFolder folder;
  std::string bytes = "[Java Runtime Environment]\r\nMain Class=first\r\n";
  while (bytes.size() < (10u << 20)) {
    bytes += "[Filler]\r\nkey=" + std::string(100, 'f') + "\r\n";
  }
  bytes += "[Last]\r\nkey=last value\r\n";
  const IniFile huge(folder.Write(L"huge.ini", bytes));
  EXPECT_EQ(huge.ReadString(L"Java Runtime Environment", L"Main Class"), L"first");
  EXPECT_EQ(huge.ReadString(L"Last", L"key"), L"last value");
}

TEST(IniFileWriting, CreatesAndKeepsTheRest) {
  ScratchFolder folder;
  const IniFile created(folder.Path(L"new.ini"));
  ASSERT_TRUE(created.WriteString(L"Java Runtime Environment", L"JRE Path", L"C:\\jre\\"));
  EXPECT_TRUE(FileExists(created.path()));
  EXPECT_EQ(created.ReadString(L"Java Runtime Environment", L"JRE Path"), L"C:\\jre\\");

  const IniFile file(folder.Write(L"app.ini", "[A]\r\nj=1\r\nk=2\r\n[B]\r\nk=3\r\n"));
  ASSERT_TRUE(file.WriteString(L"A", L"k", L"changed"));
  ASSERT_TRUE(file.WriteString(L"C", L"k", L"added"));
  EXPECT_EQ(file.ReadString(L"A", L"j"), L"1");
  EXPECT_EQ(file.ReadString(L"A", L"k"), L"changed");
  EXPECT_EQ(file.ReadString(L"B", L"k"), L"3");
  EXPECT_EQ(file.ReadString(L"C", L"k"), L"added");
}

TEST(IniFileWriting, Utf16FilesStayReadable) {
  ScratchFolder folder;
  const IniFile file(folder.Write(L"app.ini", Utf16Bytes(L"[A]\r\nj=\u00e4\r\n", true)));
  ASSERT_TRUE(file.WriteString(L"A", L"k", L"\u00f6"));
  EXPECT_EQ(file.ReadString(L"A", L"j"), L"\u00e4");
  EXPECT_EQ(file.ReadString(L"A", L"k"), L"\u00f6");
  EXPECT_EQ(ReadRegularFile(file.path(), 1 << 30).bytes.substr(0, 2), "\xFF\xFE");
}

} // namespace
} // namespace launcher
