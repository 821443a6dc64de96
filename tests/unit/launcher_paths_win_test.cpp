#include "base/launcher_paths.h"

#include <gtest/gtest.h>

#include "base/text.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

TEST(WindowsUserSettingsRoot, IsAppDataReadWhole) {
  // Longer than the 260 units a fixed buffer would take.
  const std::wstring longFolder = L"C:\\" + std::wstring(600, L'a');
  testing::ScopedEnvironmentVariable appData(L"APPDATA", longFolder);
  EXPECT_EQ(UserSettingsRoot(), longFolder);
  EXPECT_EQ(PerUserSettingsPath(L"P", L"C", L"C:\\x\\app.exe", false),
            longFolder + L"\\P\\C\\app.ini");
}

TEST(WindowsPerUserSettingsFileName, CutsAtTheLastDotOfTheFileName) {
  for (const auto& [executable, expected] : {std::pair{L"apps\\Tool.exe", L"Tool.ini"},
                                             {L"apps\\a.b.exe", L"a.b.ini"},
                                             {L"apps\\tool.", L"tool.ini"},
                                             {L"my.apps\\tool", L"tool.ini"}}) {
    EXPECT_EQ(PerUserSettingsFileName(executable), expected) << ToUtf8(executable);
  }
}

} // namespace
} // namespace launcher
