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

} // namespace
} // namespace launcher
