#include "base/environment.h"

#include <vector>

#include "base/windows_api.h"

namespace launcher {

std::optional<std::wstring> ReadEnvironmentVariable(const std::wstring& name) {
  // The value is read whole, however long: ask for the size, then read into a buffer of it.
  DWORD size = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
  while (size != 0) {
    std::vector<wchar_t> buffer(size);
    const DWORD length = GetEnvironmentVariableW(name.c_str(), buffer.data(), size);
    if (length < size) {
      return std::wstring(buffer.data(), length);
    }
    size = length; // the variable grew in between; try again with the new size
  }
  if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
    return std::nullopt;
  }
  return std::wstring();
}

bool WriteEnvironmentVariable(const std::wstring& name, const std::wstring& value) {
  return SetEnvironmentVariableW(name.c_str(), value.c_str()) != FALSE;
}

void ExpandEnvironment(std::wstring& text) {
  const DWORD size = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
  if (size == 0) {
    return;
  }
  std::vector<wchar_t> buffer(size);
  if (ExpandEnvironmentStringsW(text.c_str(), buffer.data(), size) == 0) {
    return;
  }
  buffer.back() = L'\0';
  text = buffer.data();
}

} // namespace launcher
