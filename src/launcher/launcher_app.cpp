#include "launcher/launcher_app.h"

#include <memory>
#include <optional>

#include "base/command_line.h"
#include "base/environment.h"
#include "base/launcher_paths.h"
#include "base/platform.h"
#include "base/trace.h"
#include "jvm/discovery/missing_jre_message.h"
#include "jvm/discovery/runtime_search.h"
#include "jvm/hosting/class_data_cache.h"
#include "jvm/hosting/class_data_cache_setup.h"
#include "jvm/hosting/jvm_library.h"
#include "jvm/hosting/library_path.h"
#include "jvm/hosting/main_class_thread.h"
#include "jvm/hosting/vm_options.h"
#include "launcher/exit_codes.h"
#include "launcher/paired_relaunch.h"
#include "launcher/single_instance_rules.h"
#include "settings/jre_path_writeback.h"
#include "settings/settings_keys.h"
#include "ui/exception_dialog.h"
#include "ui/jre_not_found_dialog.h"

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

namespace {

const wchar_t* RuntimeSourceName(RuntimeSource source) {
  switch (source) {
  case RuntimeSource::kJrePath:
    return L"\"JRE Path\"";
  case RuntimeSource::kShippedRuntime:
    return L"the shipped runtime";
  case RuntimeSource::kRegistry:
    return L"the installed runtimes";
  case RuntimeSource::kRegistry32BitView:
    return L"the installed runtimes, 32-bit view";
  case RuntimeSource::kModernRuntime:
    return L"today's runtimes";
  case RuntimeSource::kModernRuntimePaired:
    return L"today's runtimes, 32-bit";
  }
  return L"";
}

// The environment that Run publishes to the application and to the VM library's loading.
void TraceEnvironment() {
  if (!TraceEnabled()) {
    return;
  }
  for (const wchar_t* name : {L"ZL_JVM_PATH", L"ZL_JVM_HOME", kSearchPathVariable}) {
    Trace(L"environment ", name, L"=", ReadEnvironmentVariable(name).value_or(L""));
  }
}

} // namespace

bool LauncherApp::Init() {
  // 1. The command line.
  ParseCommandLine(arguments);
  const double settingsStart = TracePhaseStart();

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
    Trace(L"settings refused: exit code -1");
    return false;
  }
  TracePhase(L"settings", settingsStart);

  // 3. Single-instance set-up: false ends the process with -1.
  if (!instance.SetUp(
          modulePath,
          IsSingleInstanceWanted(settings.isService,
                                 settingsFile->Get(kSectionApplication, kKeySingleInstance)),
          arguments, settings.mainClass)) {
    return false;
  }
  // 4. A second start that has handed its arguments to the running instance returns true
  //    here; nothing below runs for it.
  if (instance.IsSecondStart()) {
    return true;
  }

  // 5. The working directory.
  if (settings.overrideWorkingDir) {
    ApplyWorkingDirOverride(messageOwner);
  }

  // 6. Runtime search: "JRE Path" (then the paired-relaunch check), the shipped runtime, the
  //    registry in the native view, then in the 32-bit view when "Pair Product" is set.
  const double searchStart = TracePhaseStart();
  const std::unique_ptr<RuntimeRegistry> registry = OpenSystemRuntimeRegistry();
  const std::optional<RuntimeSearchResult> found =
      SearchForRuntime(settings, modulePath, *registry);
  TracePhase(L"search", searchStart);
  if (found) {
    Trace(L"runtime chosen: ", found->jvmDllPath, L" from ", RuntimeSourceName(found->source),
          found->relaunchPaired ? L", run by the paired program" : L"");
    runtime.jvmDllPath = found->jvmDllPath;
    runtime.relaunchPaired = found->relaunchPaired;
    runtime.ibmRuntime = found->ibmRuntime;
    return true;
  }

  // 7. Missing-JRE step: the user may pick a runtime's folder, which is then taken like a
  //    "JRE Path" (with the paired-relaunch check) and remembered for the next start.
  //    Cancel, or a dialog that cannot be shown, ends the launch.
  const JreChoice choice = ShowJreNotFoundDialog(
      ComposeMissingJreMessage(settings.jvmType, settings.minimumVersion, settings.maximumVersion),
      settings.jvmType);
  if (!AcceptsJreChoice(choice)) {
    Trace(L"no runtime qualifies: exit code -1");
    return false;
  }
  runtime.jvmDllPath = choice.jvmDllPath;
  Trace(L"runtime chosen: ", runtime.jvmDllPath, L" from the folder the user picked");
  runtime.relaunchPaired = CheckPairedRelaunch(runtime.jvmDllPath, settings.pairProduct);
  WriteBackJrePath(choice.chosenFolder, modulePath, settings);
  return true;
}

int32_t LauncherApp::Run() {
  // 1. Paired relaunch: the paired program runs the application with our command line.
  if (runtime.relaunchPaired) {
    Trace(L"the paired program ", settings.pairProduct, L" runs the application");
    return RunPairedProduct(settings.pairProduct, settings.pairReturnCode);
  }
  // 2. A second start in single-instance mode returns the running instance's reply.
  if (instance.IsSecondStart()) {
    return instance.AwaitReply();
  }

  // 3. The native library path and the environment published to the application.
  SetLibraryPathAndEnvironment(runtime.jvmDllPath, settings.libraryPath, settings.systemPath, vm);
  TraceEnvironment();

  // 4. IsSplashWanted(arguments) decides the splash switch.
  // 5. Splash start; kExitSplashFailed when it fails.
  if (IsSplashWanted(arguments) &&
      !splash.Show(settingsFile ? &*settingsFile : nullptr, runtime.jvmDllPath)) {
    return kExitSplashFailed;
  }

  // 6. The VM library; BindJvmLibrary has reported a failure.
  if (!BindJvmLibrary(runtime.jvmDllPath, jvmLibrary, messageOwner)) {
    Trace(L"the VM library cannot be used: exit code -1");
    return kExitFailure;
  }

  // 7. The VM options. An empty class path has been reported: a VM without one would load
  //    its classes from whatever folder the user started in.
  if (!AssembleVmOptions(*settingsFile, modulePath, vm, arguments, messageOwner)) {
    Trace(L"no class path: exit code -1");
    return kExitFailure;
  }
  // The class-data cache, when the settings ask for it, maps or writes the application's
  // archive of loaded classes.
  if (IsClassDataCacheOn(settingsFile->Get(kSectionJavaRuntime, kKeyClassDataCache))) {
    PrepareClassDataCache(runtime.jvmDllPath, modulePath, vm);
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
  if (instance.IsPrimary()) {
    // Hand-overs wait for this moment; main's thread stays attached on IBM's runtime, and so
    // do theirs.
    request.mainStarting = [this] { instance.MainStarting(vm.javaVm, runtime.ibmRuntime); };
  }
  request.closeSplash = [this] {
    splash.CloseNativeSplash();
    messageOwner = nullptr;
  };
  switch (StartMainClassThread(jvmLibrary, vm, request)) {
  case kMainReturned:
    Trace(L"main returned: exit code 0");
    return kExitSuccess;
  case kMainThrew:
    Trace(L"main ended with an exception: exit code 1");
    return kExitUncaughtException;
  default:
    Trace(L"no VM, no main class or no main: exit code -1");
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
  instance.Stop();
  // 5. Call the runtime splash library's SplashClose if it was used.
  splash.CloseRuntimeSplash();
  // 6. The strings and lists go with the object.
}

} // namespace launcher
