#include "base/command_line.h"

#include <cwctype>

#include "base/text.h"

namespace launcher {

void SplitCommandLine(std::wstring_view text, std::vector<std::wstring>& list) {
  constexpr wchar_t kQuote = L'"';
  constexpr wchar_t kBlank = L' ';
  size_t p = 0;
  while (p < text.size()) {
    if (text[p] == kQuote) {
      const size_t close = text.find(kQuote, p + 1);
      if (close == std::wstring_view::npos) {
        // An unterminated quote takes the rest of the line, blanks included.
        list.emplace_back(text.substr(p + 1));
        return;
      }
      list.emplace_back(text.substr(p + 1, close - p - 1));
      // The next piece starts right after the closing quote, blank or not.
      p = close + 1;
    } else {
      const size_t blank = text.find(kBlank, p);
      if (blank == std::wstring_view::npos) {
        list.emplace_back(text.substr(p));
        return;
      }
      list.emplace_back(text.substr(p, blank - p));
      p = blank;
    }
    while (p < text.size() && text[p] == kBlank) {
      ++p;
    }
  }
}

std::vector<std::wstring> ArgumentsFromCommandLine(std::wstring_view commandLine) {
  auto isSpace = [](wchar_t c) { return std::iswspace(static_cast<std::wint_t>(c)) != 0; };
  size_t begin = 0;
  size_t end = commandLine.size();
  while (begin < end && isSpace(commandLine[begin])) {
    ++begin;
  }
  while (end > begin && isSpace(commandLine[end - 1])) {
    --end;
  }
  std::vector<std::wstring> arguments;
  SplitCommandLine(commandLine.substr(begin, end - begin), arguments);
  if (!arguments.empty()) {
    arguments.erase(arguments.begin());
  }
  return arguments;
}

std::vector<std::wstring> ArgumentsFromArgumentBlock(std::string_view block) {
  std::vector<std::wstring> arguments;
  size_t start = 0;
  while (start < block.size()) {
    size_t end = block.find('\0', start);
    if (end == std::string_view::npos) {
      end = block.size(); // a vector rewritten without its last terminator
    }
    arguments.push_back(FromUtf8(block.substr(start, end - start)));
    start = end + 1;
  }
  if (!arguments.empty()) {
    arguments.erase(arguments.begin());
  }
  return arguments;
}

} // namespace launcher
