#include "base/text_format.h"

#include <gtest/gtest.h>

namespace launcher {
namespace {

TEST(FormatText, FillsPlaceholdersInOrder) {
  EXPECT_EQ(
      FormatText(L"Windows exception: %s (errno = %d).\n", {L"failed to get the module path", 5}),
      L"Windows exception: failed to get the module path (errno = 5).\n");
  EXPECT_EQ(FormatText(L"%d", {-2147483647 - 1}), L"-2147483648");
}

TEST(FormatText, MalformedFormatsNeverReadPastTheArguments) {
  struct Case {
    std::wstring format;
    std::vector<FormatArgument> arguments;
    std::wstring expected;
  };
  const Case cases[] = {
      {L"%s and %s", {L"one"}, L"one and "}, {L"100%", {}, L"100%"},
      {L"50%% off", {}, L"50% off"},         {L"%x%", {L"unused"}, L"%x%"},
      {L"%s", {L"%s%d"}, L"%s%d"}, // arguments are not formatted again
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatText(c.format, c.arguments), c.expected);
  }
}

TEST(FormatText, TakesArgumentsOfAnyLength) {
  const std::wstring longPath(40000, L'x');
  EXPECT_EQ(FormatText(L"Failed to load Java VM library: %s (errno = %d).\n", {longPath, 126}),
            L"Failed to load Java VM library: " + longPath + L" (errno = 126).\n");
}

} // namespace
} // namespace launcher
