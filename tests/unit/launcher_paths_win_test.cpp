#include "launcher/launcher_paths.h"

#include <gtest/gtest.h>

#include "base/text.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

TEST(WindowsSettingsPath, ReplacesEverythingAfterTheLastDotOfThePath) {
  struct Case {
    std::wstring executable;
    std::optional<std::wstring> expected;
  };
  const Case cases[] = {
      {L"C:\\Apps\\Tool.exe", L"C:\\Apps\\Tool.ini"},
      {L"C:\\My.Apps\\Tool", L"C:\\My.ini"},
      {L"C:\\Apps\\Tool", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExecutableSettingsPath(c.executable), c.expected) << ToUtf8(c.executable);
  }
}

TEST(WindowsUserSettingsRoot, IsAppDataReadWhole) {
  // Longer than the 260 units a fixed buffer would take.
  const std::wstring longFolder = L"C:\\" + std::wstring(600, L'a');
  testing::ScopedEnvironmentVariable appData(L"APPDATA", longFolder);
  EXPECT_EQ(UserSettingsRoot(), longFolder);
  EXPECT_EQ(PerUserSettingsPath(L"P", L"C", L"C:\\x\\app.exe", false),
            longFolder + L"\\P\\C\\app.ini");
}

} // namespace
} // namespace launcher
