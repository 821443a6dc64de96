#include "base/short_path_name.h"

#include <vector>

#include "base/path_rules.h"
#include "base/windows_api.h"

namespace launcher {

std::optional<std::wstring> ShortPathName(const std::wstring& path) {
  if (path.empty()) {
    return std::nullopt;
  }
  const std::wstring name = WithLongPathPrefix(path);
  DWORD size = GetShortPathNameW(name.c_str(), nullptr, 0);
  // The file may be renamed between the two calls; a name that keeps growing is given up.
  for (int attempt = 0; attempt < 3 && size > 0; ++attempt) {
    std::vector<wchar_t> buffer(size);
    const DWORD length = GetShortPathNameW(name.c_str(), buffer.data(), size);
    if (length == 0) {
      return std::nullopt;
    }
    if (length < size) {
      std::wstring shortName(buffer.data(), length);
      if (!HasLongPathPrefix(path) && HasLongPathPrefix(shortName)) {
        shortName.erase(0, 4);
      }
      return shortName;
    }
    size = length;
  }
  return std::nullopt;
}

} // namespace launcher
