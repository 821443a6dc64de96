#include "launcher/launcher_app.h"

#include <memory>
#include <optional>

#include "base/command_line.h"
#include "base/launcher_paths.h"
#include "jvm/discovery/missing_jre_message.h"
#include "jvm/discovery/runtime_search.h"
#include "jvm/hosting/jvm_library.h"
#include "jvm/hosting/library_path.h"
#include "jvm/hosting/main_class_thread.h"
#include "jvm/hosting/vm_options.h"
#include "launcher/exit_codes.h"
#include "launcher/paired_relaunch.h"
#include "ui/exception_dialog.h"

namespace launcher {

bool IsSplashWanted(const std::vector<std::wstring>& arguments) {
  for (const std::wstring& argument : arguments) {
    if (argument == L"-nosplash" || argument == L"/nosplash") {
      return false;
    }
  }
  return true;
}

LauncherApp::LauncherApp() = default;

bool LauncherApp::Init() {
  // 1. The command line.
  ParseCommandLine(arguments);

  // 2. The settings, read once for the whole start. A module path that cannot be read has
  //    been reported by ModulePath; one without a settings file name stops silently.
  const std::optional<std::wstring> ownPath = ModulePath(messageOwner);
  if (!ownPath) {
    return false;
  }
  modulePath = *ownPath;
  const std::optional<std::wstring> settingsPath = ExecutableSettingsPath(modulePath);
  if (!settingsPath) {
    return false;
  }
  settingsFile.emplace(*settingsPath);
  if (!LoadSettings(*settingsFile, modulePath, messageOwner, settings)) {
    return false;
  }

  // 3. Single-instance set-up: false ends the process with -1.
  // 4. A second start that has handed its arguments to the running instance returns true
  //    here; nothing below runs for it.

  // 5. The working directory.
  if (settings.overrideWorkingDir) {
    ApplyWorkingDirOverride(messageOwner);
  }

  // 6. Runtime search: "JRE Path" (then the paired-relaunch check), the shipped runtime, the
  //    registry in the native view, then in the 32-bit view when "Pair Product" is set.
  const std::unique_ptr<RuntimeRegistry> registry = OpenSystemRuntimeRegistry();
  if (const std::optional<RuntimeSearchResult> found =
          SearchForRuntime(settings, modulePath, *registry)) {
    runtime.jvmDllPath = found->jvmDllPath;
    runtime.relaunchPaired = found->relaunchPaired;
    runtime.ibmRuntime = found->ibmRuntime;
    return true;
  }

  // 7. Missing-JRE step. The dialog that lets the user pick a folder (and then stores it in
  //    runtime.jvmDllPath, runs CheckPairedRelaunch and WriteBackJrePath) is not built yet;
  //    the composed message is shown as an error with the download address, and the launch
  //    ends as a cancel.
  ShowErrorMessage(messageOwner, ComposeMissingJreReport(settings.jvmType, settings.minimumVersion,
                                                         settings.maximumVersion));
  return false;
}

int32_t LauncherApp::Run() {
  // 1. Paired relaunch: the paired program runs the application with our command line.
  if (runtime.relaunchPaired) {
    return RunPairedProduct(settings.pairProduct, settings.pairReturnCode);
  }
  // 2. A second start in single-instance mode returns the running instance's reply.

  // 3. The native library path and the environment published to the application.
  SetLibraryPathAndEnvironment(runtime.jvmDllPath, settings.libraryPath, settings.systemPath, vm);

  // 4. IsSplashWanted(arguments) decides the splash switch.
  // 5. Splash start; kExitSplashFailed when it fails.
  if (IsSplashWanted(arguments) &&
      !splash.Show(settingsFile ? &*settingsFile : nullptr, runtime.jvmDllPath)) {
    return kExitSplashFailed;
  }

  // 6. The VM library; BindJvmLibrary has reported a failure.
  if (!BindJvmLibrary(runtime.jvmDllPath, jvmLibrary, messageOwner)) {
    return kExitFailure;
  }

  // 7. The VM options. An empty class path has been reported: a VM without one would load
  //    its classes from whatever folder the user started in.
  if (!AssembleVmOptions(*settingsFile, modulePath, vm, arguments, messageOwner)) {
    return kExitFailure;
  }

  // 8. The main-class thread, waited for without time-out. Its error boxes are owned by the
  //    launcher's own splash window, once the splash thread has made it (meanwhile the VM
  //    library was loaded and the options built).
  if (const WindowHandle splashWindow = splash.AwaitNativeWindow()) {
    messageOwner = splashWindow;
  }
  MainClassRequest request;
  request.mainClass = settings.mainClass;
  request.arguments = arguments;
  request.failureCheck = settings.failureCheck;
  request.ibmRuntime = runtime.ibmRuntime;
  request.messageOwner = messageOwner;
  request.showExceptionDialog = ShowJavaExceptionDialog;
  request.closeSplash = [this] {
    splash.CloseNativeSplash();
    messageOwner = nullptr;
  };
  switch (StartMainClassThread(jvmLibrary, vm, request)) {
  case kMainReturned:
    return kExitSuccess;
  case kMainThrew:
    return kExitUncaughtException;
  default:
    // 9. Otherwise close the runtime's splash screen if it is shown.
    splash.CloseRuntimeSplash();
    return kExitFailure;
  }
}

LauncherApp::~LauncherApp() {
  // Teardown, in this order:
  // 1. Stop the native splash thread and delete its window.
  splash.CloseNativeSplash();
  messageOwner = nullptr;
  // 2. Destroy the VM if it still exists.
  DestroyVm(vm);
  // 3. Single instance: stop the listener thread, unmap the shared block, close the mapping.
  // 4. Close the single-instance event.
  // 5. Call the runtime splash library's SplashClose if it was used.
  splash.CloseRuntimeSplash();
  // 6. The strings and lists go with the object.
}

} // namespace launcher
