#include "jvm/hosting/own_thread.h"

#include <limits>

#include "base/scoped_handle_win.h"

namespace launcher {
namespace {

DWORD WINAPI ThreadStart(LPVOID parameter) {
  return (*static_cast<const std::function<uint32_t()>*>(parameter))();
}

} // namespace

uint32_t RunOnOwnThread(uint64_t stackSize, const std::function<uint32_t()>& procedure) {
  if (stackSize > std::numeric_limits<SIZE_T>::max()) {
    return procedure();
  }
  ScopedHandle thread(CreateThread(nullptr, static_cast<SIZE_T>(stackSize), ThreadStart,
                                   const_cast<std::function<uint32_t()>*>(&procedure), 0, nullptr));
  if (!thread.valid()) {
    return procedure();
  }
  WaitForSingleObject(thread.get(), INFINITE);
  DWORD exitCode = 1;
  GetExitCodeThread(thread.get(), &exitCode);
  return exitCode;
}

void SleepForever() {
  for (;;) {
    Sleep(INFINITE);
  }
}

} // namespace launcher
