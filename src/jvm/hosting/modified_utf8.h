#pragma once

// The modified UTF-8 of JNI (GetStringUTFChars, class names): UTF-16 units written one by
// one, so a supplementary character is a surrogate pair of two 3-byte sequences, and U+0000
// is the two bytes C0 80.

#include <string>
#include <string_view>

namespace launcher {

// The UTF-16 units of the text, exactly. A 4-byte sequence of standard UTF-8 is accepted as
// its surrogate pair; a byte that starts no valid sequence becomes U+FFFD.
std::u16string DecodeModifiedUtf8(std::string_view bytes);

// The same text as a wide string (a surrogate pair becomes one character where wchar_t is
// 32 bits wide).
std::wstring WideFromModifiedUtf8(std::string_view bytes);

// The modified UTF-8 form of UTF-16 units.
std::string EncodeModifiedUtf8(std::u16string_view units);

} // namespace launcher
