#pragma once

// The full path of the running executable, read whole however long it is.
// Windows: GetModuleFileNameW with a growing buffer. Linux: /proc/self/exe.

#include <optional>
#include <string>

namespace launcher {

// The path, or nothing with the system's error code in errorCode.
std::optional<std::wstring> ReadModulePath(int& errorCode);

// The calling thread's last system error (GetLastError, errno).
int LastSystemError();

} // namespace launcher
