#pragma once

// The encodings an INI file may be saved in, as the Windows profile functions recognise
// them: UTF-16 in either byte order and UTF-8, each marked by its byte-order mark, and
// unmarked 8-bit text. Unmarked text is read as UTF-8, and a byte that does not start a
// valid UTF-8 sequence is read as the Latin-1 character of that value, so files saved in a
// Western code page still read sensibly.

#include <cstddef>
#include <string>
#include <string_view>

namespace launcher {

enum class IniEncoding { kUtf8, kUtf8WithBom, kUtf16Le, kUtf16Be };

struct IniEncodingInfo {
  IniEncoding encoding = IniEncoding::kUtf8;
  size_t bomBytes = 0;  // length of the byte-order mark at the start of the file
  size_t unitBytes = 1; // 2 for UTF-16
};

IniEncodingInfo DetectIniEncoding(std::string_view bytes);

// Unmarked 8-bit text: valid UTF-8 sequences as such, any other byte as Latin-1.
std::wstring DecodeUtf8OrLatin1(std::string_view bytes);

// Appends the text of bytes in the given encoding (without byte-order mark) to out. A dangling
// odd byte of UTF-16 text is ignored; an unpaired surrogate becomes U+FFFD.
void AppendDecodedIniText(std::string_view bytes, IniEncoding encoding, std::wstring& out);

// Encodes text for a file in the given encoding (without byte-order mark). Unmarked files
// get UTF-8.
std::string EncodeIniText(std::wstring_view text, IniEncoding encoding);

} // namespace launcher
