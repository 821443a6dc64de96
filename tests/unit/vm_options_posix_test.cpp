#include "jvm/hosting/vm_options.h"

#include <gtest/gtest.h>

namespace launcher {
namespace {

TEST(AssembleVmOptionsWithoutClassPath, ShowsMessage209AndStopsThere) {
  VmOptionSettings settings;
  settings.classPath = L";/nonexistent/*.jar;";
  settings.vmParameters = L"-ea";
  settings.outputFile = L"out.log";
  settings.cmd = L"extra";
  VmLaunchState vm;
  std::vector<std::wstring> arguments;
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(AssembleVmOptionsFrom(settings, L"/opt/app/launcher", vm, arguments));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Java Class Path was not specified in INI file.\n");
  EXPECT_TRUE(vm.vmOptions.empty());
  EXPECT_TRUE(vm.outputFile.empty());
  EXPECT_TRUE(arguments.empty());
}

} // namespace
} // namespace launcher
