#include "base/launcher_paths.h"

#include <gtest/gtest.h>

#include "base/text.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

using testing::ScopedEnvironmentVariable;

TEST(PosixSettingsPath, UsesTheFileNameOnly) {
  struct Case {
    std::wstring executable;
    std::optional<std::wstring> expected;
  };
  const Case cases[] = {
      {L"/opt/my.app/tool", L"/opt/my.app/tool.ini"},     // a dot in a folder name does not count
      {L"/opt/app/MyApp-1.5", L"/opt/app/MyApp-1.5.ini"}, // nor one in the name: no extensions
      {L"/opt/app/tool.x.y", L"/opt/app/tool.x.y.ini"},
      {L"", std::nullopt},
      {L"/opt/app/", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExecutableSettingsPath(c.executable), c.expected) << ToUtf8(c.executable);
  }
  EXPECT_EQ(PerUserSettingsFileName(L"/opt/my.app/MyApp-1.5"), L"MyApp-1.5.ini");
}

TEST(PosixUserSettingsRoot, PrefersAnAbsoluteXdgConfigHome) {
  ScopedEnvironmentVariable home(L"HOME", L"/home/someone/");
  {
    ScopedEnvironmentVariable configHome(L"XDG_CONFIG_HOME", L"/var/config");
    EXPECT_EQ(UserSettingsRoot(), L"/var/config");
  }
  for (const wchar_t* ignored : {L"relative/config", L""}) {
    ScopedEnvironmentVariable configHome(L"XDG_CONFIG_HOME", ignored);
    EXPECT_EQ(UserSettingsRoot(), L"/home/someone/.config");
  }
}

TEST(PosixUserSettingsRoot, FallsBackToTheAccountsHomeFolder) {
  ScopedEnvironmentVariable configHome(L"XDG_CONFIG_HOME", L"");
  ScopedEnvironmentVariable home(L"HOME", L"");
  const std::wstring root = UserSettingsRoot();
  EXPECT_TRUE(root.empty() || (root[0] == L'/' && EndsWith(root, L"/.config")));
}

} // namespace
} // namespace launcher
