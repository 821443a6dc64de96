#include "jvm/hosting/modified_utf8.h"

#include "base/text.h"

namespace launcher {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

} // namespace

std::u16string DecodeModifiedUtf8(std::string_view bytes) {
  std::u16string units;
  units.reserve(bytes.size());
  size_t i = 0;
  auto at = [&bytes](size_t index) { return static_cast<unsigned char>(bytes[index]); };
  while (i < bytes.size()) {
    const unsigned char lead = at(i);
    if (lead < 0x80) {
      units.push_back(lead);
      i += 1;
    } else if ((lead & 0xE0) == 0xC0 && i + 1 < bytes.size() && IsContinuation(at(i + 1))) {
      units.push_back(static_cast<char16_t>(((lead & 0x1F) << 6) | (at(i + 1) & 0x3F)));
      i += 2;
    } else if ((lead & 0xF0) == 0xE0 && i + 2 < bytes.size() && IsContinuation(at(i + 1)) &&
               IsContinuation(at(i + 2))) {
      units.push_back(static_cast<char16_t>(((lead & 0x0F) << 12) | ((at(i + 1) & 0x3F) << 6) |
                                            (at(i + 2) & 0x3F)));
      i += 3;
    } else if ((lead & 0xF8) == 0xF0 && i + 3 < bytes.size() && IsContinuation(at(i + 1)) &&
               IsContinuation(at(i + 2)) && IsContinuation(at(i + 3))) {
      const char32_t c = ((lead & 0x07) << 18) | ((at(i + 1) & 0x3F) << 12) |
                         ((at(i + 2) & 0x3F) << 6) | (at(i + 3) & 0x3F);
      if (c >= 0x10000 && c <= 0x10FFFF) {
        units.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
        units.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
      } else {
        units.push_back(kReplacement);
      }
      i += 4;
    } else {
      units.push_back(kReplacement);
      i += 1;
    }
  }
  return units;
}

std::wstring WideFromModifiedUtf8(std::string_view bytes) {
  return FromUtf16(DecodeModifiedUtf8(bytes));
}

std::string EncodeModifiedUtf8(std::u16string_view units) {
  std::string bytes;
  bytes.reserve(units.size());
  for (const char16_t unit : units) {
    if (unit != 0 && unit < 0x80) {
      bytes.push_back(static_cast<char>(unit));
    } else if (unit < 0x800) {
      bytes.push_back(static_cast<char>(0xC0 | (unit >> 6)));
      bytes.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    } else {
      bytes.push_back(static_cast<char>(0xE0 | (unit >> 12)));
      bytes.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    }
  }
  return bytes;
}

} // namespace launcher
