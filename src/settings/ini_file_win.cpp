#include "settings/ini_file.h"

#include <vector>

#include "base/windows_api.h"

namespace launcher {

std::wstring IniFile::ReadString(const std::wstring& section, const std::wstring& key) const {
  // A value that fills the buffer up to its terminator may have been cut: read again with a
  // buffer twice the size until it fits.
  constexpr DWORD kLargestBuffer = 1u << 30;
  for (DWORD size = 256;; size *= 2) {
    std::vector<wchar_t> buffer(size);
    const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer.data(),
                                                  size, path_.c_str());
    if (length != size - 1 || size >= kLargestBuffer) {
      return std::wstring(buffer.data(), length < size ? length : size - 1);
    }
  }
}

bool IniFile::WriteString(const std::wstring& section, const std::wstring& key,
                          const std::wstring& value) const {
  return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path_.c_str()) !=
         FALSE;
}

} // namespace launcher
