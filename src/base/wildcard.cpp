#include "base/wildcard.h"

namespace launcher {
namespace {

wchar_t Fold(wchar_t c, bool ignoreCase) {
  return ignoreCase && c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c;
}

} // namespace

bool MatchesWildcard(std::wstring_view pattern, std::wstring_view name, bool ignoreCase) {
  // Greedy matching with one backtracking point: linear in practice, never exponential.
  size_t p = 0, n = 0;
  size_t starPattern = std::wstring_view::npos, starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == L'*') {
      starPattern = p++;
      starName = n;
    } else if (p < pattern.size() &&
               (pattern[p] == L'?' || Fold(pattern[p], ignoreCase) == Fold(name[n], ignoreCase))) {
      ++p, ++n;
    } else if (starPattern != std::wstring_view::npos) {
      p = starPattern + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') {
    ++p;
  }
  return p == pattern.size();
}

bool HasWildcard(std::wstring_view text) {
  return text.find_first_of(L"*?") != std::wstring_view::npos;
}

} // namespace launcher
