#pragma once

// The "Virtual Machine Parameters" value: split at blanks outside double quotes, quotes
// removed, percentage sizes computed, "-Xss" noted for the launcher's own main thread.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "jvm/hosting/memory_sizing.h"

namespace launcher {

// Index of the first blank at or after `start` outside double quotes, or the text's length.
// An unclosed quote ends the parameter at the first blank after it; a quote right after a
// closing quote belongs to the quoted part.
size_t FindParameterEnd(std::wstring_view value, size_t start);

// Removes each pair of double quotes, keeping the text between them. A doubled quote at the
// closing position leaves one quote in the text; an unpaired quote stays.
std::wstring StripQuotes(std::wstring_view parameter);

// The pieces of the value, in order, before any rewriting.
std::vector<std::wstring> SplitParameterText(std::wstring_view value);

// Unquotes one parameter, rewrites a percentage size, sets threadStackSize from "-Xss" (the
// last one wins) and appends the result to the work list.
void ProcessVmParameter(std::wstring parameter, std::vector<std::wstring>& workList,
                        uint64_t& threadStackSize, const MemoryFigureSource& memory);

// SplitParameterText then ProcessVmParameter for every piece.
void SplitVmParameters(std::wstring_view value, std::vector<std::wstring>& workList,
                       uint64_t& threadStackSize,
                       const MemoryFigureSource& memory = ReadMemoryFigures);

} // namespace launcher
