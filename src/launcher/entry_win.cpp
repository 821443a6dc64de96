// The Windows entry point of the launcher (GUI subsystem).

#include "base/windows_api.h"
#include "launcher/exit_codes.h"
#include "launcher/launcher_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int32_t exitCode = launcher::kExitFailure;
  {
    launcher::LauncherApp app;
    // Resources and conversions follow the system's language, not the user's override.
    SetThreadLocale(GetSystemDefaultLCID());
    // Gives the main thread its message queue before anything can post to it.
    DefWindowProcW(nullptr, 0, 0, 0);
    if (app.Init()) {
      exitCode = app.Run();
    }
  }
  return exitCode;
}
