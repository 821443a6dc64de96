#include "base/launcher_paths.h"

#include <gtest/gtest.h>

#include "base/files.h"
#include "base/path_rules.h"
#include "base/platform.h"
#include "base/text.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

using testing::ScopedEnvironmentVariable;
using testing::ScratchFolder;

// Points the per-user settings root of either platform at a folder.
class UserSettingsRootAt {
public:
  explicit UserSettingsRootAt(const std::wstring& folder)
      : appData_(L"APPDATA", folder), configHome_(L"XDG_CONFIG_HOME", folder) {}

private:
  ScopedEnvironmentVariable appData_;
  ScopedEnvironmentVariable configHome_;
};

std::wstring Join(std::initializer_list<std::wstring> parts) {
  std::wstring path;
  for (const std::wstring& part : parts) {
    path += path.empty() ? part : kPathSeparator + part;
  }
  return path;
}

TEST(PerUserSettingsPath, JoinsRootProductFoldersAndFileName) {
  ScratchFolder root;
  UserSettingsRootAt settingsRoot(root.path());
  const std::wstring executable = root.Path(L"bin/Tool.exe");

  EXPECT_EQ(PerUserSettingsPath(L"Tools: A/B?", L"CODE-1.0", executable, false),
            Join({root.path(), L"Tools AB", L"CODE-1.0", PerUserSettingsFileName(executable)}));
  // An empty product name leaves two separators in a row.
  EXPECT_EQ(PerUserSettingsPath(L"", L"C", executable, false),
            Join({root.path(), L"", L"C", PerUserSettingsFileName(executable)}));
  EXPECT_EQ(PerUserSettingsPath(L"P", L"C", L"", false), L"");
  EXPECT_FALSE(FileExists(root.Path(L"Tools AB")));
}

TEST(PerUserSettingsPath, CreatesAMissingSettingsRoot) {
  ScratchFolder folder;
  UserSettingsRootAt settingsRoot(folder.Path(L"config"));
  const std::wstring path = PerUserSettingsPath(L"P", L"C", folder.Path(L"app.exe"), true);
  EXPECT_TRUE(FileExists(folder.Path(L"config/P/C")));
  EXPECT_EQ(path, Join({folder.path(), L"config", L"P", L"C",
                        PerUserSettingsFileName(folder.Path(L"app.exe"))}));
  EXPECT_FALSE(FileExists(path));
  // Existing folders are fine.
  EXPECT_EQ(PerUserSettingsPath(L"P", L"C", folder.Path(L"app.exe"), true), path);
}

TEST(ModulePath, IsTheRunningProgram) {
  const std::optional<std::wstring> path = ModulePath(nullptr);
  ASSERT_TRUE(path.has_value());
  EXPECT_TRUE(IsAbsolutePath(*path));
  EXPECT_TRUE(StartsWith(FileNameOf(*path, kPathSeparator), L"unit_tests"));
  EXPECT_TRUE(FileExists(*path));
  EXPECT_EQ(LauncherSettingsPath(nullptr), ExecutableSettingsPath(*path));
}

TEST(ApplyWorkingDirOverride, MakesTheLaunchersFolderCurrent) {
  ScratchFolder folder;
  testing::ScopedCurrentFolder current(folder.path());
  ApplyWorkingDirOverride(nullptr);
  const std::wstring modulePath = ModulePath(nullptr).value();
  EXPECT_TRUE(
      FileExists(FileNameOf(modulePath, kPathSeparator))); // found relative to the new folder
}

} // namespace
} // namespace launcher
