// The Windows entry points. One file serves both programs: launcher.exe (GUI subsystem) starts
// at wWinMain, launcher-console.exe (console subsystem) at wmain; what differs between them is
// only how a message reaches the user, linked in from error_message_gui_win.cpp or
// error_message_console_win.cpp.

#include "base/trace.h"
#include "base/windows_api.h"
#include "launcher/exit_codes.h"
#include "launcher/launcher_app.h"

namespace {

int RunLauncher() {
  launcher::StartTrace();
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
  launcher::Trace(L"exit code ", exitCode);
  return exitCode;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return RunLauncher();
}

// The arguments are read by the launcher itself (ParseCommandLine), as in the GUI program.
extern "C" int wmain(int, wchar_t**) {
  return RunLauncher();
}
