#include "jvm/hosting/library_path.h"

#include <gtest/gtest.h>

#include "base/environment.h"
#include "base/module_path.h"
#include "base/narrow_text.h"
#include "base/path_rules.h"
#include "base/platform.h"
#include "jvm/discovery/jvm_layout.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

using testing::ScopedEnvironmentVariable;

// Writes a list with ";" as the host's list separator, so one table serves both platforms.
std::wstring List(std::wstring text) {
  for (wchar_t& c : text) {
    if (c == L';') {
      c = kPathListSeparator;
    }
  }
  return text;
}

std::wstring Reference() {
  return std::wstring(L"%") + kSearchPathVariable + L"%";
}

TEST(LibraryPathText, ListsTheFoldersInOrder) {
  const struct {
    const wchar_t* libraryPath;
    bool searchPathIsSet;
    std::wstring expected;
  } cases[] = {
      {L"D:\\native", true, List(L"D:\\native;C:\\App\\;.;") + Reference() + List(L";C:\\rt\\lib")},
      {L"D:\\native;", true,
       List(L"D:\\native;C:\\App\\;.;") + Reference() + List(L";C:\\rt\\lib")},
      {L"D:\\a;D:\\b", false, List(L"D:\\a;D:\\b;C:\\App\\;.;C:\\rt\\lib")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LibraryPathText(List(c.libraryPath), L"C:\\App\\", c.searchPathIsSet, L"C:\\rt\\lib"),
              c.expected)
        << c.libraryPath;
  }
}

TEST(SearchPathText, PutsTheSystemPathFirstAndTheRuntimeLast) {
  const struct {
    const wchar_t* systemPath;
    bool searchPathIsSet;
    std::wstring expected;
  } cases[] = {
      {L"", true, Reference() + List(L";C:\\rt\\bin")},
      {L"D:\\a;D:\\b", true, List(L"D:\\a;D:\\b;") + Reference() + List(L";C:\\rt\\bin")},
      {L"D:\\a;D:\\b;", true, List(L"D:\\a;D:\\b;") + Reference() + List(L";C:\\rt\\bin")},
      {L"", false, L"C:\\rt\\bin"},
      {L"D:\\a", false, List(L"D:\\a;C:\\rt\\bin")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SearchPathText(List(c.systemPath), c.searchPathIsSet, L"C:\\rt\\bin"), c.expected)
        << c.systemPath;
  }
}

TEST(NativePathList, ReadsSettingListsInThePlatformsSeparators) {
  const std::wstring native = NativePathListFromSetting(L"\\opt\\a;\\opt\\b");
  EXPECT_EQ(native, NativePathFromSetting(L"\\opt\\a") + kPathListSeparator +
                        NativePathFromSetting(L"\\opt\\b"));
}

class LibraryPathEnvironment : public ::testing::Test {
protected:
  std::wstring JvmPath() const {
    const std::wstring s(1, kPathSeparator);
    return folder.path() + s + L"rt" + s + L"lib" + s + L"server" + s + L"libjvm.so";
  }
  testing::ScratchFolder folder;
  ScopedEnvironmentVariable path{kSearchPathVariable, L"old-path"};
  ScopedEnvironmentVariable jvmPath{L"ZL_JVM_PATH", L""};
  ScopedEnvironmentVariable jvmHome{L"ZL_JVM_HOME", L""};
};

TEST_F(LibraryPathEnvironment, PublishesTheRuntimeAndExtendsTheSearchPath) {
  VmLaunchState vm;
  SetLibraryPathAndEnvironment(JvmPath(), L"", L"", vm);
  EXPECT_TRUE(vm.vmOptions.empty()) << "no library-path option without \"Library Path\"";
  EXPECT_EQ(ReadEnvironmentVariable(L"ZL_JVM_PATH"), JvmPath());
  EXPECT_EQ(ReadEnvironmentVariable(L"ZL_JVM_HOME"), RuntimeHome(JvmPath()));
  EXPECT_EQ(ReadEnvironmentVariable(kSearchPathVariable),
            L"old-path" + std::wstring(1, kPathListSeparator) + RuntimeBinFolder(JvmPath()));
}

TEST_F(LibraryPathEnvironment, PutsTheLibraryPathOptionFirstWithTheOldSearchPath) {
  ScopedEnvironmentVariable extra(L"HOSTING_TEST_NATIVE", L"native-folder");
  VmLaunchState vm;
  vm.vmOptions.push_back("-Dalready=there");
  SetLibraryPathAndEnvironment(JvmPath(), L"%HOSTING_TEST_NATIVE%", L"sys", vm);
  int error = 0;
  const std::wstring launcherFolder = FolderWithSeparator(ReadModulePath(error).value_or(L""));
  ASSERT_EQ(vm.vmOptions.size(), 2u);
  EXPECT_EQ(vm.vmOptions[0],
            ToAnsi(L"-Djava.library.path=" + List(L"native-folder;") + launcherFolder +
                   List(L";.;old-path;") + RuntimeLibFolder(JvmPath())));
  EXPECT_EQ(vm.vmOptions[1], "-Dalready=there");
  EXPECT_EQ(ReadEnvironmentVariable(kSearchPathVariable),
            List(L"sys;old-path;") + RuntimeBinFolder(JvmPath()));
}

} // namespace
} // namespace launcher
