#include "base/narrow_text.h"

#include <climits>

#include "base/windows_api.h"

namespace launcher {

std::string ToAnsi(std::wstring_view text) {
  if (text.empty() || text.size() > INT_MAX) {
    return std::string();
  }
  const int units = static_cast<int>(text.size());
  const int size =
      WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), units, nullptr, 0, nullptr, nullptr);
  if (size <= 0) {
    return std::string();
  }
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), units, out.data(), size, nullptr, nullptr);
  return out;
}

std::wstring FromAnsi(std::string_view text) {
  if (text.empty() || text.size() > INT_MAX) {
    return std::wstring();
  }
  const int bytes = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(CP_THREAD_ACP, 0, text.data(), bytes, nullptr, 0);
  if (size <= 0) {
    return std::wstring();
  }
  std::wstring out(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_THREAD_ACP, 0, text.data(), bytes, out.data(), size);
  return out;
}

} // namespace launcher
