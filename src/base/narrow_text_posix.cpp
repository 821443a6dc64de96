#include "base/narrow_text.h"

#include "base/text.h"

namespace launcher {

std::string ToAnsi(std::wstring_view text) {
  return ToUtf8(text);
}
std::wstring FromAnsi(std::string_view text) {
  return FromUtf8(text);
}

} // namespace launcher
