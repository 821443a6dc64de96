#include "ui/exception_dialog.h"

#include <cstdio>

#include "base/text.h"

namespace launcher {

bool ShowJavaExceptionDialog(const std::wstring& text) {
  if (text.empty()) {
    return false;
  }
  std::string trace = ToUtf8(text);
  if (trace.back() != '\n') {
    trace.push_back('\n');
  }
  std::fwrite(trace.data(), 1, trace.size(), stderr);
  std::fflush(stderr);
  return true;
}

} // namespace launcher
