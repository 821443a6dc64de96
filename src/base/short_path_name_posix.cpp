#include "base/short_path_name.h"

namespace launcher {

std::optional<std::wstring> ShortPathName(const std::wstring&) {
  return std::nullopt;
}

} // namespace launcher
