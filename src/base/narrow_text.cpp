#include "base/narrow_text.h"

namespace launcher {

bool RoundTripsThroughAnsi(std::wstring_view text) {
  return FromAnsi(ToAnsi(text)) == text;
}

} // namespace launcher
