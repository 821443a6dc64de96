#include "jvm/hosting/memory_sizing.h"

#include <limits>

namespace launcher {
namespace {

constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();

bool IsDigit(wchar_t c) {
  return c >= L'0' && c <= L'9';
}

uint64_t SaturatingMultiply(uint64_t a, uint64_t b) {
  if (a != 0 && b > kMax / a) {
    return kMax;
  }
  return a * b;
}

// Appends digit d to a decimal number; false when the result would not fit.
bool AppendDigit(uint64_t& number, unsigned d) {
  if (number > (kMax - d) / 10) {
    return false;
  }
  number = number * 10 + d;
  return true;
}

// base × (percent / 100), truncated, as the double product; a product beyond 64 bits
// saturates (converting such a double to an integer would be undefined).
uint64_t PercentOf(uint64_t base, uint64_t percent) {
  const double product = static_cast<double>(base) * (static_cast<double>(percent) / 100.0);
  if (!(product < 18446744073709551616.0)) {
    return kMax;
  }
  return product <= 0 ? 0 : static_cast<uint64_t>(product);
}

} // namespace

bool IsMemoryPercentParameter(std::wstring_view parameter) {
  if (parameter.size() < 4) {
    return false;
  }
  const std::wstring_view prefix = parameter.substr(0, 4);
  if (prefix != L"-Xms" && prefix != L"-Xmx" && prefix != L"-Xss") {
    return false;
  }
  const wchar_t suffix = parameter.back();
  return suffix == L'P' || suffix == L'p' || suffix == L'T' || suffix == L't';
}

NumberList ParseNumberList(std::wstring_view text) {
  NumberList list;
  size_t k = 0;
  while (k < text.size() && !IsDigit(text[k]) && text[k] != L':') {
    ++k;
  }
  list.prefixLength = k;
  if (k == text.size()) {
    return list;
  }
  list.numbers.push_back(0);
  for (size_t i = k; i + 1 < text.size(); ++i) {
    const wchar_t c = text[i];
    if (IsDigit(c)) {
      uint64_t& number = list.numbers.back();
      if (!AppendDigit(number, static_cast<unsigned>(c - L'0'))) {
        number = kMax;
      }
    } else if (c == L':') {
      list.numbers.push_back(0);
    }
  }
  return list;
}

void ApplyMemoryPercent(std::wstring& parameter, const MemoryFigures& memory) {
  const NumberList list = ParseNumberList(parameter);
  auto number = [&list](size_t i) { return i < list.numbers.size() ? list.numbers[i] : 0; };
  const uint64_t percent = number(0);
  const uint64_t floor = number(1);
  const uint64_t cap = number(2);

  const wchar_t suffix = parameter.empty() ? L'\0' : parameter.back();
  const uint64_t baseBytes =
      suffix == L'T' || suffix == L't' ? memory.availableVirtual : memory.totalPhysical;
  uint64_t size = PercentOf(baseBytes / 1024, percent);
  if (cap != 0) {
    const uint64_t capKb = SaturatingMultiply(cap, 1024);
    size = size < capKb ? size : capKb;
  }
  const uint64_t floorKb = SaturatingMultiply(floor, 1024);
  size = size > floorKb ? size : floorKb;

  parameter = parameter.substr(0, list.prefixLength) + std::to_wstring(size) + L"K";
}

uint64_t UnitMultiplier(wchar_t unit) {
  switch (unit) {
  case L'G':
  case L'g':
    return 1073741824ULL;
  case L'M':
  case L'm':
    return 1048576ULL;
  case L'K':
  case L'k':
    return 1024ULL;
  default:
    return 1;
  }
}

uint64_t ParseStackSize(std::wstring_view text) {
  if (text.empty() || !IsDigit(text[0])) {
    return 0;
  }
  const size_t last = text.size() - 1;
  if (text.substr(0, last).find(L':') != std::wstring_view::npos) {
    return 0;
  }
  uint64_t number = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsDigit(text[i]) && !AppendDigit(number, static_cast<unsigned>(text[i] - L'0'))) {
      return 0;
    }
  }
  const uint64_t multiplier = UnitMultiplier(text[last]);
  if (number != 0 && multiplier > kMax / number) {
    return 0;
  }
  return number * multiplier;
}

} // namespace launcher
