#include "base/environment_expansion.h"

namespace launcher {

std::wstring ExpandEnvironmentReferences(std::wstring_view text, const EnvironmentLookup& lookup) {
  std::wstring out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const size_t open = text.find(L'%', i);
    if (open == std::wstring_view::npos) {
      out.append(text.substr(i));
      break;
    }
    out.append(text.substr(i, open - i));
    const size_t close = text.find(L'%', open + 1);
    if (close == std::wstring_view::npos) {
      out.append(text.substr(open));
      break;
    }
    const std::wstring name(text.substr(open + 1, close - open - 1));
    const std::optional<std::wstring> value = name.empty() ? std::nullopt : lookup(name);
    if (value) {
      out += *value;
      i = close + 1;
    } else {
      // Not a reference: keep the first "%" and look again from the second one, which may
      // open a reference of its own.
      out += text.substr(open, close - open);
      i = close;
    }
  }
  return out;
}

} // namespace launcher
