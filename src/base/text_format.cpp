#include "base/text_format.h"

namespace launcher {

std::wstring FormatText(const std::wstring& format, const std::vector<FormatArgument>& arguments) {
  std::wstring out;
  out.reserve(format.size());
  size_t next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    const wchar_t c = format[i];
    if (c == L'%' && i + 1 < format.size()) {
      const wchar_t kind = format[i + 1];
      if (kind == L's' || kind == L'd') {
        if (next < arguments.size()) {
          out += arguments[next].text;
        }
        ++next;
        ++i;
        continue;
      }
      if (kind == L'%') {
        out += L'%';
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

} // namespace launcher
