#include <cstdio>

#include "base/text.h"
#include "ui/error_message.h"

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
