#include "launcher/launcher_app.h"

#include <optional>

#include "launcher/command_line.h"
#include "launcher/exit_codes.h"
#include "launcher/launcher_paths.h"

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

  // 2. The settings. A module path that cannot be read has been reported by ModulePath.
  const std::optional<std::wstring> modulePath = ModulePath(messageOwner);
  if (!modulePath || !LoadSettings(*modulePath, messageOwner, settings)) {
    return false;
  }

  // 3. Single-instance set-up: false ends the process with -1.
  // 4. A second start that has handed its arguments to the running instance returns true
  //    here; nothing below runs for it.

  // 5. The working directory.
  if (settings.overrideWorkingDir) {
    ApplyWorkingDirOverride(messageOwner);
  }

  // 6. Runtime search, each step ending Init with true once runtime.jvmDllPath is set:
  //    "JRE Path" (then CheckPairedRelaunch), the shipped runtime, the registry in the native
  //    view, then in the 32-bit view when "Pair Product" is set.
  // 7. Missing-JRE step: message 206 or 207 with RequirementText, the dialog, and on OK the
  //    chosen folder stored in runtime.jvmDllPath, CheckPairedRelaunch and the "JRE Path"
  //    write-back.
  // Until the runtime search is built no runtime can be chosen, so the launch stops here.
  return false;
}

int32_t LauncherApp::Run() {
  // 1. Paired relaunch when runtime.relaunchPaired is set: start the paired program with the
  //    launcher's own command line; kExitPairedStarted, or its exit code with
  //    "Pair Return Code".
  // 2. A second start in single-instance mode returns the running instance's reply.
  // 3. The native library path and the environment published to the application.
  // 4. IsSplashWanted(arguments) decides the splash switch.
  // 5. Splash start; kExitSplashFailed when it fails.
  // 6. Bind the VM library at runtime.jvmDllPath; kExitFailure when that fails.
  // 7. Build the VM options.
  // 8. Run the main-class thread and wait for it; kExitSuccess when it returns 0.
  // 9. Otherwise close the runtime's splash screen if it is shown.
  return kExitFailure;
}

LauncherApp::~LauncherApp() {
  // Teardown, in this order:
  // 1. Stop the native splash thread and delete its window.
  // 2. Destroy the VM if it still exists.
  // 3. Single instance: stop the listener thread, unmap the shared block, close the mapping.
  // 4. Close the single-instance event.
  // 5. Call the runtime splash library's SplashClose if it was used.
  // 6. The strings and lists go with the object.
}

} // namespace launcher
