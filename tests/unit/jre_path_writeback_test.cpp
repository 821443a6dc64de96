#include "settings/jre_path_writeback.h"

#include <gtest/gtest.h>

#include "base/files.h"
#include "base/launcher_paths.h"
#include "base/platform.h"
#include "base/text.h"
#include "settings/ini_file.h"
#include "settings/settings_reader.h"
#include "unit/support/discovery_fixtures.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

using test::DiscoveryTempFolder;
using testing::ScopedEnvironmentVariable;

// The files a write-back may touch.
enum File { kLauncherFile, kPairedFile, kUserFile, kPairedUserFile };

struct WriteBackCase {
  const char* name;
  bool isService;
  bool withPairedProgram;
  std::vector<File> written;
};

class JrePathWriteBackTest : public ::testing::TestWithParam<WriteBackCase> {
protected:
  void SetUp() override {
    folder.MakeFolder("app");
    folder.MakeFolder("user");
    settings.productName = L"Tools: A/B?";
    settings.productCode = L"T-1";
  }

  std::wstring PathOf(File file) const {
    const std::wstring launcher = folder.Join("app/tool.exe");
    const std::wstring paired = folder.Join("app/tool32.exe");
    const std::wstring user = folder.Join("user/Tools AB/T-1/");
    switch (file) {
    case kLauncherFile:
      return *ExecutableSettingsPath(launcher);
    case kPairedFile:
      return *ExecutableSettingsPath(paired);
    case kUserFile:
      return user + PerUserSettingsFileName(launcher);
    case kPairedUserFile:
      return user + PerUserSettingsFileName(paired);
    }
    return std::wstring();
  }

  std::wstring ReadJrePath(File file) const {
    return IniFile(PathOf(file)).ReadString(L"Java Runtime Environment", L"JRE Path");
  }

  DiscoveryTempFolder folder;
  // Both platforms' per-user roots point into the test folder.
  ScopedEnvironmentVariable appData{L"APPDATA", folder.Join("user")};
  ScopedEnvironmentVariable configHome{L"XDG_CONFIG_HOME", folder.Join("user")};
  LauncherSettings settings;
};

TEST_P(JrePathWriteBackTest, WritesTheChosenFolderWhereTheNextStartReadsIt) {
  const WriteBackCase& c = GetParam();
  settings.isService = c.isService;
  if (c.withPairedProgram) {
    settings.pairProduct = folder.Join("app/tool32.exe");
  }
  const std::wstring chosen = folder.Join("runtimes/jre8/");
  WriteBackJrePath(chosen, folder.Join("app/tool.exe"), settings);

  for (File file : {kLauncherFile, kPairedFile, kUserFile, kPairedUserFile}) {
    const bool expected = std::find(c.written.begin(), c.written.end(), file) != c.written.end();
    EXPECT_EQ(FileExists(PathOf(file)), expected) << file;
    if (expected) {
      EXPECT_EQ(ReadJrePath(file), chosen) << file;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Applications, JrePathWriteBackTest,
    ::testing::Values(
        WriteBackCase{"service", true, false, {kLauncherFile}},
        WriteBackCase{"serviceWithPairedProgram", true, true, {kLauncherFile, kPairedFile}},
        WriteBackCase{"perUser", false, false, {kUserFile}},
        WriteBackCase{"perUserWithPairedProgram", false, true, {kUserFile, kPairedUserFile}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(JrePathWriteBackTest, KeepsTheRestOfAnExistingFile) {
  settings.isService = true;
  WriteWholeFile(PathOf(kLauncherFile), "[Java Runtime Environment]\n"
                                        "Main Class=app.Main\n"
                                        "JRE Path=old\n"
                                        "[Application]\n"
                                        "Application Type=service\n");
  WriteBackJrePath(folder.Join("new/"), folder.Join("app/tool.exe"), settings);
  const IniFile file(PathOf(kLauncherFile));
  EXPECT_EQ(file.ReadString(L"Java Runtime Environment", L"JRE Path"), folder.Join("new/"));
  EXPECT_EQ(file.ReadString(L"Java Runtime Environment", L"Main Class"), L"app.Main");
  EXPECT_EQ(file.ReadString(L"Application", L"Application Type"), L"service");
}

TEST_F(JrePathWriteBackTest, NothingIsWrittenWithoutALauncherSettingsFileName) {
  settings.pairProduct = folder.Join("app/tool32.exe");
  WriteBackJrePath(folder.Join("runtimes/jre8/"), L"", settings);
  EXPECT_FALSE(FileExists(folder.Join("user/Tools AB")));
  EXPECT_FALSE(FileExists(PathOf(kPairedFile)));
}

TEST_F(JrePathWriteBackTest, TheNextStartOfAPerUserApplicationReadsItBack) {
  const std::wstring modulePath = folder.Join("app/tool.exe");
  WriteWholeFile(PathOf(kLauncherFile), "[Java Runtime Environment]\n"
                                        "Main Class=app.Main\n"
                                        "JRE Path=from-the-launcher-file\n"
                                        "[Product Information]\n"
                                        "Product Name=Tools: A/B?\n"
                                        "Product Code=T-1\n");
  const std::wstring chosen = folder.Join("runtimes/jre8/");
  WriteBackJrePath(chosen, modulePath, settings);
  LauncherSettings next;
  ASSERT_TRUE(
      LoadSettings(SettingsReader(*ExecutableSettingsPath(modulePath)), modulePath, nullptr, next));
  EXPECT_EQ(next.jrePath, chosen);
}

} // namespace
} // namespace launcher
