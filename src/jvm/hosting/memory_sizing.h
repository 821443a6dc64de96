#pragma once

// Memory sizes in VM parameters: percentages of the machine's memory rewritten into
// kilobytes ("-Xmx25:512:2048P"), and the "-Xss" size that the launcher's own main thread
// needs. Arithmetic saturates at the largest 64-bit value instead of wrapping, so an absurd
// size stays absurd and the VM rejects it rather than receiving a small number.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace launcher {

// The two memory figures the percentages refer to, in bytes.
struct MemoryFigures {
  uint64_t totalPhysical = 0;
  // The address space the process can still use.
  uint64_t availableVirtual = 0;
};

using MemoryFigureSource = std::function<MemoryFigures()>;

// Reads the figures of this machine and process.
// Windows: GlobalMemoryStatusEx (total physical memory, available virtual address space).
// Linux: physical pages times the page size; the address-space limit (RLIMIT_AS, or the
// size of the user address space when there is none) less what the process already maps.
MemoryFigures ReadMemoryFigures();

// "-Xms", "-Xmx" or "-Xss" (exactly) at the start and P, p, T or t at the end.
bool IsMemoryPercentParameter(std::wstring_view parameter);

struct NumberList {
  // Index of the first digit or ":"; the text's length when there is none.
  size_t prefixLength = 0;
  std::vector<uint64_t> numbers;
};

// The numbers of a percentage parameter: from the first digit or ":", digits accumulate,
// ":" starts the next number, the last character (the suffix) is never part of a number.
NumberList ParseNumberList(std::wstring_view text);

// Rewrites a percentage parameter into its prefix, a size in kilobytes and "K". The base is
// total physical memory (P, p) or the available address space (T, t), read from `memory`.
void ApplyMemoryPercent(std::wstring& parameter, const MemoryFigures& memory);

// G/g, M/m, K/k give their binary multiples; anything else 1.
uint64_t UnitMultiplier(wchar_t unit);

// The byte count of the text after "-Xss" ("512k", "2m", "1048576"); 0 when the text is
// not a size: it does not begin with a digit, has a ":" before its last character, or its
// value does not fit in 64 bits.
uint64_t ParseStackSize(std::wstring_view text);

} // namespace launcher
