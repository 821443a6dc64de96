#include "ui/anchor_color.h"

#include <climits>

namespace launcher {
namespace {

bool IsBlank(char16_t c) {
  return c == u' ' || (c >= u'\t' && c <= u'\r');
}

// atoi's reading, saturated at the limits of int instead of overflowing.
int DecimalPrefix(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  long long value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    if (value <= INT_MAX) {
      value = value * 10 + (text[i] - u'0');
    }
  }
  value = negative ? -value : value;
  return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

uint8_t LowByte(int value) {
  return static_cast<uint8_t>(static_cast<unsigned>(value) & 0xFFu);
}

} // namespace

std::optional<LinkColor> ParseAnchorColor(std::u16string_view text) {
  if (text.size() > kAnchorColorMaxLength) {
    return std::nullopt;
  }
  const size_t first = text.find(u',');
  if (first == std::u16string_view::npos) {
    return std::nullopt;
  }
  const size_t second = text.find(u',', first + 1);
  if (second == std::u16string_view::npos || second + 1 >= text.size()) {
    return std::nullopt;
  }
  return LinkColor{LowByte(DecimalPrefix(text.substr(0, first))),
                   LowByte(DecimalPrefix(text.substr(first + 1, second - first - 1))),
                   LowByte(DecimalPrefix(text.substr(second + 1)))};
}

} // namespace launcher
