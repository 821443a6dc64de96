#include "settings/settings_reader.h"

#include <gtest/gtest.h>

#include "base/text.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

TEST(SettingsReader, FallsBackToThePlusSectionWithALeadingBlank) {
  testing::ScratchFolder folder;
  const SettingsReader reader(folder.Write(L"app.ini", "[Application]\r\n"
                                                       "Own=main value\r\n"
                                                       "Empty=\r\n"
                                                       "[Application+]\r\n"
                                                       "Own=hidden\r\n"
                                                       "Cmd=a b\r\n"
                                                       "Empty=from plus\r\n"
                                                       "Spaced=\" starts with a blank\"\r\n"));
  struct Case {
    std::wstring key, expected;
  };
  const Case cases[] = {
      {L"Own", L"main value"},   {L"Cmd", L" a b"},
      {L"Empty", L" from plus"}, {L"Spaced", L" starts with a blank"},
      {L"Missing", L""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(reader.Get(L"Application", c.key), c.expected) << ToUtf8(c.key);
  }
  EXPECT_EQ(reader.Get(L"Application+", L"Cmd"), L"a b");
  EXPECT_EQ(reader.Get(L"Other", L"Cmd"), L"");
}

} // namespace
} // namespace launcher
