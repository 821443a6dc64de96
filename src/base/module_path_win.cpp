#include "base/module_path.h"

#include <vector>

#include "base/windows_api.h"

namespace launcher {

std::optional<std::wstring> ReadModulePath(int& errorCode) {
  // Grow the buffer until the whole path fits: a path cut at 259 units would name another
  // file and its settings.
  for (DWORD size = MAX_PATH; size <= 32768 * 2; size *= 2) {
    std::vector<wchar_t> buffer(size);
    SetLastError(0);
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
    if (length == 0) {
      errorCode = static_cast<int>(GetLastError());
      return std::nullopt;
    }
    if (length < size && GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
      errorCode = 0;
      return std::wstring(buffer.data(), length);
    }
  }
  errorCode = ERROR_INSUFFICIENT_BUFFER;
  return std::nullopt;
}

int LastSystemError() {
  return static_cast<int>(GetLastError());
}

} // namespace launcher
