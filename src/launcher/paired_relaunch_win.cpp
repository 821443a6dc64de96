#include "launcher/paired_relaunch.h"

#include <vector>

#include "base/scoped_handle_win.h"

namespace launcher {

int RunPairedProduct(const std::wstring& pairProduct, bool pairReturnCode) {
  // CreateProcessW may write into the command line, so it gets its own copy.
  const wchar_t* ownCommandLine = GetCommandLineW();
  std::vector<wchar_t> commandLine(ownCommandLine, ownCommandLine + wcslen(ownCommandLine) + 1);
  STARTUPINFOW startup;
  ZeroMemory(&startup, sizeof(startup));
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION child;
  ZeroMemory(&child, sizeof(child));
  const bool started = CreateProcessW(pairProduct.c_str(), commandLine.data(), nullptr, nullptr,
                                      FALSE, 0, nullptr, nullptr, &startup, &child) != FALSE;
  ScopedHandle process(started ? child.hProcess : nullptr);
  ScopedHandle thread(started ? child.hThread : nullptr);
  if (!pairReturnCode || !started) {
    return 0;
  }
  DWORD exitCode = 0;
  if (WaitForSingleObject(process.get(), INFINITE) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process.get(), &exitCode)) {
    return 0;
  }
  return static_cast<int>(exitCode);
}

} // namespace launcher
