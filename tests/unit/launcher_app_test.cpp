#include "launcher/launcher_app.h"

#include <gtest/gtest.h>

namespace launcher {
namespace {

TEST(SplashSwitch, OnlyTheExactSwitchesSuppressTheSplash) {
  struct Case {
    std::vector<std::wstring> arguments;
    bool wanted;
  };
  const Case cases[] = {
      {{}, true},
      {{L"doc.txt"}, true},
      {{L"doc.txt", L"-nosplash"}, false},
      {{L"/nosplash", L"x"}, false},
      {{L"-NoSplash"}, true},
      {{L"-NOSPLASH"}, true},
      {{L"--nosplash"}, true},
      {{L"-nosplash "}, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsSplashWanted(c.arguments), c.wanted);
  }
}

TEST(LauncherApp, StartsWithNothingChosen) {
  const LauncherApp app;
  EXPECT_TRUE(app.arguments.empty());
  EXPECT_TRUE(app.runtime.jvmDllPath.empty());
  EXPECT_FALSE(app.runtime.relaunchPaired);
  EXPECT_EQ(app.messageOwner, nullptr);
  EXPECT_TRUE(app.settings.mainClass.empty());
  EXPECT_TRUE(app.settings.favorKind);
  EXPECT_TRUE(app.settings.sunAllowed && app.settings.sunFavored);
}

} // namespace
} // namespace launcher
