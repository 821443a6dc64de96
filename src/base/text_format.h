#pragma once

// printf-style formatting of the string-table texts: "%s" takes the next text argument, "%d"
// the next number, "%%" gives one percent sign. Arguments may be of any length, and a
// placeholder without an argument left expands to nothing, so a malformed table entry can
// never read past the arguments given.

#include <string>
#include <vector>

namespace launcher {

struct FormatArgument {
  FormatArgument(std::wstring value) : text(std::move(value)) {}
  FormatArgument(const wchar_t* value) : text(value) {}
  FormatArgument(int value) : text(std::to_wstring(value)) {}
  std::wstring text;
};

std::wstring FormatText(const std::wstring& format, const std::vector<FormatArgument>& arguments);

} // namespace launcher
