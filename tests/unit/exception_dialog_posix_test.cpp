#include "ui/exception_dialog.h"

#include <gtest/gtest.h>

namespace launcher {
namespace {

TEST(ExceptionDialogOnLinux, AnEmptyTraceShowsNothingAndCountsAsIgnore) {
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(ShowJavaExceptionDialog(L""));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST(ExceptionDialogOnLinux, PrintsTheTraceAndStops) {
  ::testing::internal::CaptureStderr();
  EXPECT_TRUE(ShowJavaExceptionDialog(
      L"java.lang.IllegalStateException: \u00fc\n\tat Main.main(Main.java:3)"));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "java.lang.IllegalStateException: \xC3\xBC\n\tat Main.main(Main.java:3)\n");
}

} // namespace
} // namespace launcher
