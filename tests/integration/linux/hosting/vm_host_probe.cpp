// A host of the Java VM made of the launcher's hosting functions, called in the launcher's
// order, reading the settings file beside it; the VM library is HOSTING_PROBE_JVM. It goes where
// the launcher cannot on this machine: HOSTING_PROBE_NO_BOOT_LOADER as on a runtime without
// JVM_FindClassFromBootLoader; HOSTING_PROBE_REPORT_STACK prints the stack size of the thread
// that runs main.

#include <pthread.h>

#include <cstdio>
#include <cstdlib>

#include "base/launcher_paths.h"
#include "base/module_path.h"
#include "base/text.h"
#include "jvm/hosting/jvm_library.h"
#include "jvm/hosting/library_path.h"
#include "jvm/hosting/main_class_thread.h"
#include "jvm/hosting/vm_options.h"
#include "settings/launcher_settings.h"
#include "settings/settings_reader.h"
#include "ui/exception_dialog.h"

int main(int argc, char** argv) {
  using namespace launcher;
  int error = 0;
  const std::wstring modulePath = ReadModulePath(error).value_or(L"");
  const SettingsReader settingsFile(ExecutableSettingsPath(modulePath).value_or(L""));
  const std::wstring jvm = FromUtf8(std::getenv("HOSTING_PROBE_JVM"));
  LauncherSettings settings;
  VmLaunchState vm;
  JvmLibrary library;
  MainClassRequest request;
  for (int i = 1; i < argc; ++i) {
    request.arguments.push_back(FromUtf8(argv[i]));
  }
  if (!LoadSettings(settingsFile, modulePath, nullptr, settings)) {
    return -1;
  }
  SetLibraryPathAndEnvironment(jvm, settings.libraryPath, settings.systemPath, vm);
  if (!BindJvmLibrary(jvm, library) ||
      !AssembleVmOptions(settingsFile, modulePath, vm, request.arguments)) {
    return -1;
  }
  if (std::getenv("HOSTING_PROBE_NO_BOOT_LOADER") != nullptr) {
    library.JVM_FindClassFromBootLoader = nullptr;
  }
  request.mainClass = settings.mainClass;
  request.failureCheck = settings.failureCheck;
  request.showExceptionDialog = ShowJavaExceptionDialog;
  if (std::getenv("HOSTING_PROBE_REPORT_STACK") != nullptr) {
    request.mainStarting = [] {
      pthread_attr_t attributes;
      size_t size = 0;
      pthread_getattr_np(pthread_self(), &attributes);
      pthread_attr_getstacksize(&attributes, &size);
      pthread_attr_destroy(&attributes);
      std::fprintf(stderr, "main thread stack: %zu\n", size);
    };
  }
  const uint32_t result = StartMainClassThread(library, vm, request);
  DestroyVm(vm);
  return result == kMainReturned ? 0 : result == kMainThrew ? 1 : -1;
}
