#include <cstdio>

#include "base/error_message.h"
#include "base/text.h"

namespace launcher {

void ShowErrorMessage(WindowHandle, const std::wstring& text) {
  std::string line = ToUtf8(text);
  if (line.empty() || line.back() != '\n') {
    line += '\n';
  }
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

} // namespace launcher
