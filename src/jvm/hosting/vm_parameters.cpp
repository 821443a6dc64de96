#include "jvm/hosting/vm_parameters.h"

#include "base/text.h"

namespace launcher {
namespace {

constexpr wchar_t kBlank = L' ';
constexpr wchar_t kQuote = L'"';

} // namespace

size_t FindParameterEnd(std::wstring_view value, size_t start) {
  size_t p = start;
  for (;;) {
    const size_t blank = value.find(kBlank, p);
    const size_t quote = value.find(kQuote, p);
    if (quote == std::wstring_view::npos) {
      return blank == std::wstring_view::npos ? value.size() : blank;
    }
    if (blank == std::wstring_view::npos) {
      return value.size();
    }
    if (blank < quote) {
      return blank;
    }
    size_t close = value.find(kQuote, quote + 1);
    if (close == std::wstring_view::npos) {
      return blank;
    }
    if (close + 1 < value.size() && value[close + 1] == kQuote) {
      ++close;
    }
    p = close + 1;
  }
}

std::wstring StripQuotes(std::wstring_view parameter) {
  std::wstring out;
  out.reserve(parameter.size());
  size_t pos = 0;
  for (;;) {
    const size_t open = parameter.find(kQuote, pos);
    if (open == std::wstring_view::npos) {
      break;
    }
    size_t close = parameter.find(kQuote, open + 1);
    if (close == std::wstring_view::npos) {
      break;
    }
    if (close + 1 < parameter.size() && parameter[close + 1] == kQuote) {
      ++close;
    }
    out.append(parameter.substr(pos, open - pos));
    out.append(parameter.substr(open + 1, close - open - 1));
    pos = close + 1;
  }
  out.append(parameter.substr(pos < parameter.size() ? pos : parameter.size()));
  return out;
}

std::vector<std::wstring> SplitParameterText(std::wstring_view value) {
  std::vector<std::wstring> pieces;
  size_t start = value.find_first_not_of(kBlank);
  while (start != std::wstring_view::npos) {
    const size_t end = FindParameterEnd(value, start);
    pieces.emplace_back(value.substr(start, end - start));
    start = end < value.size() ? value.find_first_not_of(kBlank, end) : std::wstring_view::npos;
  }
  return pieces;
}

void ProcessVmParameter(std::wstring parameter, std::vector<std::wstring>& workList,
                        uint64_t& threadStackSize, const MemoryFigureSource& memory) {
  parameter = StripQuotes(parameter);
  if (IsMemoryPercentParameter(parameter)) {
    ApplyMemoryPercent(parameter, memory());
  }
  if (StartsWith(parameter, L"-Xss")) {
    threadStackSize = ParseStackSize(std::wstring_view(parameter).substr(4));
  }
  workList.push_back(std::move(parameter));
}

void SplitVmParameters(std::wstring_view value, std::vector<std::wstring>& workList,
                       uint64_t& threadStackSize, const MemoryFigureSource& memory) {
  for (std::wstring& piece : SplitParameterText(value)) {
    ProcessVmParameter(std::move(piece), workList, threadStackSize, memory);
  }
}

} // namespace launcher
