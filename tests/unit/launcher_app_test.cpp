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
      {{L"doc.txt", L"-nosplash"}, false},
      {{L"/nosplash", L"x"}, false},
      {{L"-NoSplash"}, true},
      {{L"--nosplash"}, true},
      {{L"-nosplash "}, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsSplashWanted(c.arguments), c.wanted);
  }
}

} // namespace
} // namespace launcher
