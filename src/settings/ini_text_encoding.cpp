#include "settings/ini_text_encoding.h"

#include "base/text.h"

namespace launcher {
namespace {

// The length of the valid UTF-8 sequence at the start of bytes, with its code point; 0 when
// the first byte does not start one.
size_t ValidUtf8Sequence(std::string_view bytes, char32_t& codePoint) {
  const unsigned char lead = static_cast<unsigned char>(bytes[0]);
  size_t length = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, codePoint = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, codePoint = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, codePoint = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (bytes.size() < length) {
    return 0;
  }
  for (size_t k = 1; k < length; ++k) {
    const unsigned char next = static_cast<unsigned char>(bytes[k]);
    if ((next & 0xC0) != 0x80) {
      return 0;
    }
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    return 0;
  }
  return length;
}

void AppendUtf8OrLatin1(std::string_view bytes, std::wstring& out) {
  size_t i = 0;
  while (i < bytes.size()) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte < 0x80) {
      out.push_back(static_cast<wchar_t>(byte));
      ++i;
      continue;
    }
    char32_t c = 0;
    const size_t length = ValidUtf8Sequence(bytes.substr(i), c);
    if (length == 0) {
      out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i])));
      ++i;
    } else {
      AppendCodePoint(out, c);
      i += length;
    }
  }
}

void AppendUtf16(std::string_view bytes, bool littleEndian, std::wstring& out) {
  auto unitAt = [&](size_t k) -> char32_t {
    const auto first = static_cast<unsigned char>(bytes[2 * k]);
    const auto second = static_cast<unsigned char>(bytes[2 * k + 1]);
    return littleEndian ? first | (second << 8) : (first << 8) | second;
  };
  const size_t units = bytes.size() / 2;
  for (size_t k = 0; k < units; ++k) {
    char32_t c = unitAt(k);
    if (c >= 0xD800 && c <= 0xDBFF && k + 1 < units && unitAt(k + 1) >= 0xDC00 &&
        unitAt(k + 1) <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unitAt(k + 1) - 0xDC00);
      ++k;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    AppendCodePoint(out, c);
  }
}

} // namespace

IniEncodingInfo DetectIniEncoding(std::string_view bytes) {
  if (bytes.substr(0, 2) == "\xFF\xFE") {
    return {IniEncoding::kUtf16Le, 2, 2};
  }
  if (bytes.substr(0, 2) == "\xFE\xFF") {
    return {IniEncoding::kUtf16Be, 2, 2};
  }
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    return {IniEncoding::kUtf8WithBom, 3, 1};
  }
  return {IniEncoding::kUtf8, 0, 1};
}

std::wstring DecodeUtf8OrLatin1(std::string_view bytes) {
  std::wstring out;
  out.reserve(bytes.size());
  AppendUtf8OrLatin1(bytes, out);
  return out;
}

void AppendDecodedIniText(std::string_view bytes, IniEncoding encoding, std::wstring& out) {
  if (encoding == IniEncoding::kUtf16Le || encoding == IniEncoding::kUtf16Be) {
    AppendUtf16(bytes, encoding == IniEncoding::kUtf16Le, out);
  } else {
    AppendUtf8OrLatin1(bytes, out);
  }
}

std::string EncodeIniText(std::wstring_view text, IniEncoding encoding) {
  if (encoding != IniEncoding::kUtf16Le && encoding != IniEncoding::kUtf16Be) {
    return ToUtf8(text);
  }
  const std::u16string units = ToUtf16(text);
  std::string out;
  out.reserve(units.size() * 2);
  for (char16_t unit : units) {
    const char low = static_cast<char>(unit & 0xFF);
    const char high = static_cast<char>(unit >> 8);
    if (encoding == IniEncoding::kUtf16Le) {
      out += low;
      out += high;
    } else {
      out += high;
      out += low;
    }
  }
  return out;
}

} // namespace launcher
