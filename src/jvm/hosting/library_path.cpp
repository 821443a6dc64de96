#include "jvm/hosting/library_path.h"

#include "base/environment.h"
#include "base/module_path.h"
#include "base/path_rules.h"
#include "base/platform.h"
#include "base/text.h"
#include "jvm/discovery/jvm_layout.h"
#include "jvm/hosting/vm_option_paths.h"

namespace launcher {
namespace {

std::wstring SearchPathReference() {
  return std::wstring(L"%") + kSearchPathVariable + L"%";
}

bool SearchPathIsSet() {
  return ReadEnvironmentVariable(kSearchPathVariable).has_value();
}

void EndWithListSeparator(std::wstring& list) {
  if (!list.empty() && list.back() != kPathListSeparator) {
    list.push_back(kPathListSeparator);
  }
}

} // namespace

std::wstring NativePathListFromSetting(std::wstring text) {
  return ReplaceAll(NativePathFromSetting(std::move(text)), L';', kPathListSeparator);
}

std::wstring LibraryPathText(const std::wstring& libraryPath, const std::wstring& launcherFolder,
                             bool searchPathIsSet, const std::wstring& runtimeLibFolder) {
  std::wstring text = libraryPath;
  EndWithListSeparator(text);
  text += launcherFolder;
  text += kPathListSeparator;
  text += L'.';
  text += kPathListSeparator;
  if (searchPathIsSet) {
    text += SearchPathReference();
    text += kPathListSeparator;
  }
  text += runtimeLibFolder;
  return text;
}

std::wstring SearchPathText(const std::wstring& systemPath, bool searchPathIsSet,
                            const std::wstring& runtimeBinFolder) {
  std::wstring text = systemPath;
  EndWithListSeparator(text);
  if (searchPathIsSet) {
    text += SearchPathReference();
    text += kPathListSeparator;
  }
  text += runtimeBinFolder;
  return text;
}

void PublishJvmLocation(const std::wstring& jvmDllPath) {
  WriteEnvironmentVariable(L"ZL_JVM_PATH", jvmDllPath);
  WriteEnvironmentVariable(L"ZL_JVM_HOME", RuntimeHome(jvmDllPath));
}

void SetLibraryPathAndEnvironment(const std::wstring& jvmDllPath, const std::wstring& libraryPath,
                                  const std::wstring& systemPath, VmLaunchState& vm) {
  PublishJvmLocation(jvmDllPath);

  if (!libraryPath.empty()) {
    int errorCode = 0;
    const std::wstring launcherFolder =
        FolderWithSeparator(ReadModulePath(errorCode).value_or(std::wstring()));
    std::wstring text = LibraryPathText(NativePathListFromSetting(libraryPath), launcherFolder,
                                        SearchPathIsSet(), RuntimeLibFolder(jvmDllPath));
    ExpandEnvironment(text);
    vm.vmOptions.insert(vm.vmOptions.begin(), NarrowVmOption(L"-Djava.library.path=" + text));
  }

  std::wstring searchPath = SearchPathText(NativePathListFromSetting(systemPath), SearchPathIsSet(),
                                           RuntimeBinFolder(jvmDllPath));
  ExpandEnvironment(searchPath);
  WriteEnvironmentVariable(kSearchPathVariable, searchPath);
}

} // namespace launcher
