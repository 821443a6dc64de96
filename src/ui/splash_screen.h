#pragma once

// The splash screen of a launch: shown once before the VM library is loaded, through the
// runtime's splash library or the launcher's own window (splash_rules.h tells which), and
// closed by the events of the launch: the own window before an uncaught exception is shown
// and at the end, the runtime's library after a failed launch and at the end.

#include <string>

#include "base/error_message.h"
#include "ui/runtime_splash.h"
#include "ui/splash_rules.h"
#include "ui/splash_window.h"

namespace launcher {

class SettingsReader;

class SplashScreen {
public:
  // Reads the [Display] settings of the launcher settings file and starts the splash they
  // ask for, if any. False only without a settings file to read them from.
  bool Show(const SettingsReader* settingsFile, const std::wstring& jvmLibraryPath);
  // The launcher's own window once its thread has created it; null when it has none.
  WindowHandle AwaitNativeWindow() { return nativeSplash_.AwaitWindow(); }
  // Stops the own window's thread; nothing when none runs.
  void CloseNativeSplash() { nativeSplash_.Close(); }
  // Tells the runtime's splash library to close, once; nothing when it was not used.
  void CloseRuntimeSplash() { runtimeSplash_.Close(); }

private:
  NativeSplash nativeSplash_;
  RuntimeSplash runtimeSplash_;
};

} // namespace launcher
