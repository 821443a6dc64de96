#pragma once

// Text helpers of the portable core. Text is std::wstring everywhere: UTF-16 on Windows,
// UTF-32 on Linux. These conversions are exact for every valid code point on both; invalid
// input (lone surrogates, malformed UTF-8) becomes U+FFFD instead of being dropped; only
// ToUtf16 keeps lone surrogates, unit for unit.

#include <string>
#include <string_view>
#include <vector>

namespace launcher {

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);
// The text's UTF-16 units. On Windows these are the string's own units, a lone surrogate
// included: a file name may hold one, and an argument must reach Java as an exact copy. On
// Linux each code point is encoded; a surrogate value stays one unit.
std::u16string ToUtf16(std::wstring_view text);
std::wstring FromUtf16(std::u16string_view text);

// Appends one code point to a wide string, as a surrogate pair where wchar_t is 16 bits wide.
void AppendCodePoint(std::wstring& out, char32_t codePoint);

bool EqualsIgnoringAsciiCase(std::wstring_view a, std::wstring_view b);
bool StartsWith(std::wstring_view text, std::wstring_view prefix);
bool EndsWith(std::wstring_view text, std::wstring_view suffix);

// Cuts a settings list at every separator. An empty item between two adjacent separators
// stays; a separator at the very end adds no empty item; an empty text is an empty list.
std::vector<std::wstring> SplitList(std::wstring_view text, wchar_t separator);

// Replaces every occurrence of one character by another.
std::wstring ReplaceAll(std::wstring text, wchar_t from, wchar_t to);

} // namespace launcher
