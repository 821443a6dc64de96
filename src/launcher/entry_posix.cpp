// The Linux entry point of the launcher. The arguments are read by the launcher itself
// (ParseCommandLine), the same way on both platforms.

#include "base/trace.h"
#include "launcher/exit_codes.h"
#include "launcher/launcher_app.h"

int main() {
  launcher::StartTrace();
  int32_t exitCode = launcher::kExitFailure;
  {
    launcher::LauncherApp app;
    if (app.Init()) {
      exitCode = app.Run();
    }
  }
  launcher::Trace(L"exit code ", exitCode);
  return exitCode;
}
