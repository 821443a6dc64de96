#include "jvm/hosting/vm_options.h"

#include <gtest/gtest.h>

#include "base/files.h"
#include "base/narrow_text.h"
#include "base/platform.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

using Strings = std::vector<std::wstring>;
using testing::ScopedEnvironmentVariable;
using testing::ScratchFolder;

MemoryFigureSource FixedMemory(uint64_t physicalBytes) {
  return [=] { return MemoryFigures{physicalBytes, 0}; };
}

class AssembleVmOptionsTest : public ::testing::Test {
protected:
  void SetUp() override {
    CreateFolder(folder.Path(L"lib"));
    folder.Write(L"lib/a.jar", "");
    settings.classPath = L"\\lib\\a.jar";
  }
  bool Assemble() {
    return AssembleVmOptionsFrom(settings, folder.Path(L"launcher"), vm, arguments, nullptr,
                                 FixedMemory(1024ULL * 1024 * 1024));
  }
  std::string ClassPathOption() const {
    return ToAnsi(L"-Djava.class.path=" + folder.Path(L"lib/a.jar"));
  }

  ScratchFolder folder;
  VmOptionSettings settings;
  VmLaunchState vm;
  Strings arguments{L"first"};
};

TEST_F(AssembleVmOptionsTest, PutsTheClassPathBeforeTheParametersAfterWhatIsThere) {
  vm.vmOptions.push_back("-Djava.library.path=x");
  settings.vmParameters = L"  -Xmx50P \"-Dname=a b\" -Xss512k";
  ASSERT_TRUE(Assemble());
  EXPECT_EQ(vm.vmOptions, (std::vector<std::string>{"-Djava.library.path=x", ClassPathOption(),
                                                    "-Xmx524288K", "-Dname=a b", "-Xss512k"}));
  EXPECT_EQ(vm.threadStackSize, 524288u);
}

TEST_F(AssembleVmOptionsTest, ExpandsEveryOptionOnceMore) {
  // The first expansion gives a reference, the second its value.
  ScopedEnvironmentVariable outer(L"HOSTING_TEST_OUTER", L"%HOSTING_TEST_INNER%");
  ScopedEnvironmentVariable inner(L"HOSTING_TEST_INNER", L"value");
  settings.vmParameters = L"-Dx=%HOSTING_TEST_OUTER%";
  ASSERT_TRUE(Assemble());
  ASSERT_EQ(vm.vmOptions.size(), 2u);
  EXPECT_EQ(vm.vmOptions[1], "-Dx=%HOSTING_TEST_INNER%") << "one expansion, at the end";
}

TEST_F(AssembleVmOptionsTest, ReadsTheStreamSettings) {
  ScopedEnvironmentVariable logs(L"HOSTING_TEST_LOGS", L"logs");
  settings.outputFile = L"%HOSTING_TEST_LOGS%\\out_%HH%.log";
  settings.outputAppend = L"yes";
  settings.errorFile = L"err.log";
  settings.errorAppend = L"Yes";
  ASSERT_TRUE(Assemble());
  EXPECT_EQ(vm.outputFile, NativePathFromSetting(L"logs\\out_%HH%.log"));
  EXPECT_TRUE(vm.appendOutput);
  EXPECT_EQ(vm.errorFile, L"err.log");
  EXPECT_FALSE(vm.appendError) << "only \"yes\" in lower case appends";
}

TEST_F(AssembleVmOptionsTest, AppendsTheCmdTokensAfterTheCommandLine) {
  ScopedEnvironmentVariable value(L"HOSTING_TEST_ARG", L"expanded");
  settings.cmd = L"a \"b c\" \"\" %HOSTING_TEST_ARG%";
  ASSERT_TRUE(Assemble());
  EXPECT_EQ(arguments, (Strings{L"first", L"a", L"b c", L"expanded"}));
  EXPECT_EQ(vm.extraArguments, L"a \"b c\" \"\" expanded");
}

TEST_F(AssembleVmOptionsTest, EmbeddedJarIgnoresCase) {
  settings.embeddedJar = L"YES";
  ASSERT_TRUE(Assemble());
  EXPECT_EQ(vm.vmOptions.at(0), ToAnsi(L"-Djava.class.path=" + folder.Path(L"launcher") +
                                       kPathListSeparator + folder.Path(L"lib/a.jar")));
}

} // namespace
} // namespace launcher
