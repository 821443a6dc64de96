#include "base/scoped_handle_win.h"
#include "base/windows_api.h"

#include <string>

#include "log_record.h"

namespace fake_jvm {
namespace {

SRWLOCK logLock = SRWLOCK_INIT;

std::wstring LogPath() {
  wchar_t small[MAX_PATH];
  DWORD length = GetEnvironmentVariableW(L"FAKE_JVM_LOG", small, MAX_PATH);
  if (length == 0) {
    return {};
  }
  if (length < MAX_PATH) {
    return std::wstring(small, length);
  }
  std::wstring path(length, L'\0');
  length = GetEnvironmentVariableW(L"FAKE_JVM_LOG", path.data(), length);
  path.resize(length);
  return path;
}

} // namespace

void WriteLogLine(const std::string& line) {
  const std::wstring path = LogPath();
  if (path.empty()) {
    return;
  }
  AcquireSRWLockExclusive(&logLock);
  launcher::ScopedHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.valid()) {
    DWORD written = 0;
    WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  }
  ReleaseSRWLockExclusive(&logLock);
}

} // namespace fake_jvm
