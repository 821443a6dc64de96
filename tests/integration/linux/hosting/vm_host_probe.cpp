// A small host of the Java VM built from the launcher's hosting functions, in the order the
// launcher's run calls them: library path and environment, binding, option assembly, the
// main-class thread, and the teardown's DestroyVm. It reads the settings file beside itself,
// like the launcher; the VM library comes from HOSTING_PROBE_JVM. With
// HOSTING_PROBE_NO_BOOT_LOADER set it behaves as with a runtime that lacks
// JVM_FindClassFromBootLoader; with HOSTING_PROBE_REPORT_STACK set it prints the stack size
// of the thread that runs main on standard error before main starts.

#include <cstdio>
#include <cstdlib>
#include <pthread.h>

#include "base/launcher_paths.h"
#include "base/module_path.h"
#include "base/text.h"
#include "jvm/hosting/jvm_library.h"
#include "jvm/hosting/library_path.h"
#include "jvm/hosting/main_class_thread.h"
#include "jvm/hosting/vm_launch_state.h"
#include "jvm/hosting/vm_options.h"
#include "settings/launcher_settings.h"
#include "settings/settings_reader.h"
#include "ui/exception_dialog.h"

namespace {

void ReportStackSize() {
  pthread_attr_t attributes;
  size_t size = 0;
  if (pthread_getattr_np(pthread_self(), &attributes) == 0) {
    pthread_attr_getstacksize(&attributes, &size);
    pthread_attr_destroy(&attributes);
  }
  std::fprintf(stderr, "main thread stack: %zu\n", size);
  std::fflush(stderr);
}

} // namespace

int main(int argc, char** argv) {
  using namespace launcher;
  int error = 0;
  const std::wstring modulePath = ReadModulePath(error).value_or(std::wstring());
  LauncherSettings settings;
  const SettingsReader settingsFile(ExecutableSettingsPath(modulePath).value_or(L""));
  if (!LoadSettings(settingsFile, modulePath, nullptr, settings)) {
    return -1;
  }
  const char* jvm = std::getenv("HOSTING_PROBE_JVM");
  const std::wstring jvmDllPath = FromUtf8(jvm != nullptr ? jvm : "");
  std::vector<std::wstring> arguments;
  for (int i = 1; i < argc; ++i) {
    arguments.push_back(FromUtf8(argv[i]));
  }

  VmLaunchState vm;
  JvmLibrary library;
  SetLibraryPathAndEnvironment(jvmDllPath, settings.libraryPath, settings.systemPath, vm);
  if (!BindJvmLibrary(jvmDllPath, library)) {
    return -1;
  }
  if (std::getenv("HOSTING_PROBE_NO_BOOT_LOADER") != nullptr) {
    library.JVM_FindClassFromBootLoader = nullptr;
  }
  AssembleVmOptions(settingsFile, modulePath, vm, arguments);

  MainClassRequest request;
  request.mainClass = settings.mainClass;
  request.arguments = arguments;
  request.failureCheck = settings.failureCheck;
  request.showExceptionDialog = ShowJavaExceptionDialog;
  request.ibmRuntime = std::getenv("HOSTING_PROBE_IBM") != nullptr;
  if (std::getenv("HOSTING_PROBE_REPORT_STACK") != nullptr) {
    request.mainStarting = ReportStackSize;
  }
  const uint32_t result = StartMainClassThread(library, vm, request);
  const int exitCode = result == kMainReturned ? 0 : result == kMainThrew ? 1 : -1;
  DestroyVm(vm);
  return exitCode;
}
