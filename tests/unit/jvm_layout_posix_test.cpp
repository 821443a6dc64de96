#include "jvm/discovery/jvm_layout.h"

#include <gtest/gtest.h>

namespace launcher {
namespace {

struct HomeCase {
  const wchar_t* library;
  const wchar_t* home;
};

class RuntimeFoldersTest : public ::testing::TestWithParam<HomeCase> {};

TEST_P(RuntimeFoldersTest, HomeIsTheFolderAboveLibInBothLayouts) {
  const HomeCase& c = GetParam();
  EXPECT_EQ(RuntimeHome(c.library), c.home);
  EXPECT_EQ(RuntimeBinFolder(c.library), std::wstring(c.home) + L"/bin");
  EXPECT_EQ(RuntimeLibFolder(c.library), std::wstring(c.home) + L"/lib");
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, RuntimeFoldersTest,
    ::testing::Values(
        HomeCase{L"/usr/lib/jvm/java-17/lib/server/libjvm.so", L"/usr/lib/jvm/java-17"},
        HomeCase{L"/usr/lib/jvm/java-8/jre/lib/amd64/server/libjvm.so", L"/usr/lib/jvm/java-8/jre"},
        // A home that is itself named "lib": the nearer "lib" is the runtime's own.
        HomeCase{L"/srv/lib/lib/amd64/server/libjvm.so", L"/srv/lib"}));

} // namespace
} // namespace launcher
