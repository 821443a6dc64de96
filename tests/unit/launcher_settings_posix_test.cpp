#include "settings/launcher_settings.h"

#include <gtest/gtest.h>

#include "base/text.h"
#include "settings/ini_file.h"
#include "settings/settings_reader.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

TEST(PosixLauncherSettings, PathSettingsReadBackslashesAsSlashes) {
  testing::ScratchFolder folder;
  folder.Write(L"app.ini", "[Java Runtime Environment]\r\n"
                           "Main Class=a.Main\r\n"
                           "JRE Path=..\\jre\\\r\n"
                           "System Path=bin\\x;bin\\y\r\n"
                           "Library Path=native\\lib\r\n"
                           "[Application]\r\n"
                           "Pair Product=..\\pair\\app32\r\n"
                           "Cmd=keep\\as\\is\r\n");
  LauncherSettings s;
  ASSERT_EQ(ReadSettings(SettingsReader(folder.Path(L"app.ini")), folder.Path(L"app"), s).kind,
            SettingsOutcome::kLoaded);
  EXPECT_EQ(s.jrePath, L"../jre/");
  EXPECT_EQ(s.systemPath, L"bin/x;bin/y");
  EXPECT_EQ(s.libraryPath, L"native/lib");
  EXPECT_EQ(s.pairProduct, L"../pair/app32");
  EXPECT_EQ(s.mainClass, L"a/Main");
}

TEST(PosixLauncherSettings, AMissingMainClassIsReportedOnStandardError) {
  testing::ScratchFolder folder;
  folder.Write(L"tool.ini", "[Java Runtime Environment]\r\nMain Class=\r\n");
  LauncherSettings s;
  ::testing::internal::CaptureStderr();
  const bool loaded =
      LoadSettings(SettingsReader(folder.Path(L"tool.ini")), folder.Path(L"tool"), nullptr, s);
  const std::string shown = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(loaded);
  EXPECT_EQ(shown, "Main class was not specified in INI file.\n");
}

// A file at the bound is read; one byte more is refused with a message naming the file.
TEST(PosixLauncherSettings, SettingsFilesAreReadUpToTheBound) {
  testing::ScratchFolder folder;
  std::string text = "[Java Runtime Environment]\r\nMain Class=a.Main\r\n;";
  text.resize(kLargestSettingsFile, ' ');
  const std::wstring path = folder.Write(L"app.ini", text);
  LauncherSettings s;
  EXPECT_TRUE(LoadSettings(SettingsReader(path), folder.Path(L"app"), nullptr, s));
  EXPECT_EQ(s.mainClass, L"a/Main");

  folder.Write(L"app.ini", text + " ");
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(LoadSettings(SettingsReader(path), folder.Path(L"app"), nullptr, s));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            ToUtf8(L"The settings file " + path + L" was not read: it is larger than 16 MiB.\n"));
}

} // namespace
} // namespace launcher
