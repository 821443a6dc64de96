#include "modified_utf8.h"

namespace fake_jvm {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendEncoded(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

void AppendUtf16(std::u16string& out, char32_t codePoint) {
  if (codePoint < 0x10000) {
    out += static_cast<char16_t>(codePoint);
  } else {
    codePoint -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (codePoint >> 10));
    out += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
  }
}

// Reads one sequence of up to `maxLength` bytes at `index`; false for a malformed one.
bool ReadSequence(std::string_view bytes, size_t& index, size_t maxLength, char32_t& codePoint) {
  const auto lead = static_cast<unsigned char>(bytes[index]);
  size_t length = 0;
  char32_t value = 0;
  if (lead < 0x80) {
    length = 1;
    value = lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2;
    value = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    value = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    value = lead & 0x07;
  } else {
    return false;
  }
  if (length > maxLength || index + length > bytes.size()) {
    return false;
  }
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(bytes[index + i]);
    if ((next & 0xC0) != 0x80) {
      return false;
    }
    value = (value << 6) | (next & 0x3F);
  }
  index += length;
  codePoint = value;
  return true;
}

} // namespace

std::string EncodeModifiedUtf8(std::u16string_view text) {
  std::string out;
  for (char16_t unit : text) {
    if (unit == 0) {
      out += "\xC0\x80";
    } else {
      AppendEncoded(out, unit);
    }
  }
  return out;
}

std::u16string DecodeModifiedUtf8(std::string_view bytes) {
  std::u16string out;
  size_t index = 0;
  while (index < bytes.size()) {
    char32_t codePoint = 0;
    // Modified UTF-8 has no four-byte form: supplementary characters arrive as two
    // three-byte surrogates, which land in the UTF-16 text unchanged.
    if (ReadSequence(bytes, index, 3, codePoint)) {
      out += static_cast<char16_t>(codePoint);
    } else {
      out += kReplacement;
      ++index;
    }
  }
  return out;
}

std::string EncodeUtf8(std::u16string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      AppendEncoded(out, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendEncoded(out, kReplacement);
    } else {
      AppendEncoded(out, unit);
    }
  }
  return out;
}

std::u16string DecodeUtf8(std::string_view bytes) {
  std::u16string out;
  size_t index = 0;
  while (index < bytes.size()) {
    char32_t codePoint = 0;
    if (!ReadSequence(bytes, index, 4, codePoint)) {
      out += kReplacement;
      ++index;
    } else if (codePoint > 0x10FFFF) {
      out += kReplacement;
    } else {
      AppendUtf16(out, codePoint);
    }
  }
  return out;
}

std::u16string FromAscii(std::string_view text) {
  return std::u16string(text.begin(), text.end());
}

} // namespace fake_jvm
