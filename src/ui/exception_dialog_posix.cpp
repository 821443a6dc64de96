#include "ui/exception_dialog.h"

#include <cstdio>

#include "base/text.h"
#include "ui/standard_terminal.h"

namespace launcher {

bool ShowJavaExceptionDialog(const std::wstring& text) {
  if (text.empty()) {
    return false;
  }
  if (StandardStreamsAreTerminal()) {
    StandardTerminal terminal;
    return StopsApplication(AskIgnoreOrStop(terminal, text));
  }
  // Nobody can answer: the dialog counts as not shown, which stops, and the trace on standard
  // error tells why.
  std::string trace = ToUtf8(text);
  if (trace.back() != '\n') {
    trace.push_back('\n');
  }
  std::fwrite(trace.data(), 1, trace.size(), stderr);
  std::fflush(stderr);
  return true;
}

} // namespace launcher
