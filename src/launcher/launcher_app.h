#pragma once

// The one object of a launcher process: it holds every piece of launcher state and calls the
// stages of a launch in their fixed order. The entry point constructs it, calls Init and, when
// Init succeeds, Run, whose result is the exit code; the destructor tears down whatever the
// stages left behind, whether Init succeeded or not.
//
// Each field has one writer at a time by that order, so nothing here is locked. Fields are
// grouped by the stage that owns them; a stage that lands adds its group here and its steps
// at the marked places in Init, Run and the destructor.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/error_message.h"
#include "jvm/hosting/jvm_library.h"
#include "jvm/hosting/vm_launch_state.h"
#include "launcher/single_instance.h"
#include "settings/launcher_settings.h"
#include "settings/settings_reader.h"
#include "ui/splash_screen.h"

namespace launcher {

// The Java runtime that Init chose.
struct ChosenRuntime {
  std::wstring jvmDllPath;     // full path of the VM library to load
  bool relaunchPaired = false; // Run starts the paired program instead of hosting the VM
  bool ibmRuntime = false;     // IBM's runtime: main's thread never ends (the VM ends the process)
};

class LauncherApp {
public:
  LauncherApp();
  ~LauncherApp();
  LauncherApp(const LauncherApp&) = delete;
  LauncherApp& operator=(const LauncherApp&) = delete;

  // True when Run is to be called. A failing stage has shown its own message.
  bool Init();
  // The exit code of the process.
  int32_t Run();

  // Arguments after the program name, in order; every one of them reaches main.
  std::vector<std::wstring> arguments;
  // The full path of the launcher executable.
  std::wstring modulePath;
  // The launcher settings file, read once for the whole start.
  std::optional<SettingsReader> settingsFile;
  // Filled by LoadSettings during Init.
  LauncherSettings settings;
  ChosenRuntime runtime;
  // The entry points bound from the VM library.
  JvmLibrary jvmLibrary;
  // VM options, stream files, the main thread's stack size, and the VM once created.
  VmLaunchState vm;
  // Owner window of error messages: the native splash window while it exists, else none.
  WindowHandle messageOwner = nullptr;
  // Single-instance mode: the primary's listener, or a second start's hand-over.
  SingleInstance instance;
  // The splash screen: the launcher's own window or the runtime's splash library.
  SplashScreen splash;
};

// The splash screen is wanted unless an argument is exactly "-nosplash" or "/nosplash" (case
// counts). The switch stays among the arguments.
bool IsSplashWanted(const std::vector<std::wstring>& arguments);

} // namespace launcher
