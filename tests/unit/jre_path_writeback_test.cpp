#include "settings/jre_path_writeback.h"

#include <gtest/gtest.h>

#include "base/files.h"
#include "base/platform.h"
#include "base/text.h"
#include "settings/ini_file.h"
#include "unit/support/discovery_fixtures.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

using test::DiscoveryTempFolder;
using testing::ScopedEnvironmentVariable;

// The files a write-back may touch, relative to the test folder.
constexpr const char* kLauncherFile = "app/tool.ini";
constexpr const char* kPairedFile = "app/tool32.ini";
constexpr const char* kUserFile = "user/Tools AB/T-1/tool.ini";
constexpr const char* kPairedUserFile = "user/Tools AB/T-1/tool32.ini";

struct WriteBackCase {
  const char* name;
  bool isService;
  bool withPairedProgram;
  std::vector<const char*> written;
};

class JrePathWriteBackTest : public ::testing::TestWithParam<WriteBackCase> {
protected:
  void SetUp() override {
    folder.MakeFolder("app");
    folder.MakeFolder("user");
    settings.productName = L"Tools: A/B?";
    settings.productCode = L"T-1";
  }

  std::wstring ReadJrePath(const char* relative) const {
    return IniFile(folder.Join(relative)).ReadString(L"Java Runtime Environment", L"JRE Path");
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

  for (const char* file : {kLauncherFile, kPairedFile, kUserFile, kPairedUserFile}) {
    const bool expected =
        std::find_if(c.written.begin(), c.written.end(), [&](const char* written) {
          return std::string(written) == file;
        }) != c.written.end();
    EXPECT_EQ(FileExists(folder.Join(file)), expected) << file;
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
  folder.WriteFile(kLauncherFile, "[Java Runtime Environment]\n"
                                  "Main Class=app.Main\n"
                                  "JRE Path=old\n"
                                  "[Application]\n"
                                  "Application Type=service\n");
  WriteBackJrePath(folder.Join("new/"), folder.Join("app/tool.exe"), settings);
  const IniFile file(folder.Join(kLauncherFile));
  EXPECT_EQ(file.ReadString(L"Java Runtime Environment", L"JRE Path"), folder.Join("new/"));
  EXPECT_EQ(file.ReadString(L"Java Runtime Environment", L"Main Class"), L"app.Main");
  EXPECT_EQ(file.ReadString(L"Application", L"Application Type"), L"service");
}

TEST_F(JrePathWriteBackTest, NothingIsWrittenWithoutALauncherSettingsFileName) {
  settings.pairProduct = folder.Join("app/tool32.exe");
  WriteBackJrePath(folder.Join("runtimes/jre8/"), L"", settings);
  EXPECT_FALSE(FileExists(folder.Join("user/Tools AB")));
  EXPECT_FALSE(FileExists(folder.Join(kPairedFile)));
}

TEST_F(JrePathWriteBackTest, TheNextStartOfAPerUserApplicationReadsItBack) {
  folder.WriteFile(kLauncherFile, "[Java Runtime Environment]\n"
                                  "Main Class=app.Main\n"
                                  "JRE Path=from-the-launcher-file\n"
                                  "[Product Information]\n"
                                  "Product Name=Tools: A/B?\n"
                                  "Product Code=T-1\n");
  const std::wstring chosen = folder.Join("runtimes/jre8/");
  WriteBackJrePath(chosen, folder.Join("app/tool.exe"), settings);
  LauncherSettings next;
  ASSERT_TRUE(LoadSettings(folder.Join("app/tool.exe"), nullptr, next));
  EXPECT_EQ(next.jrePath, chosen);
}

} // namespace
} // namespace launcher
