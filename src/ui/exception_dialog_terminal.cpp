#include "ui/exception_dialog.h"

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
  StandardTerminal terminal;
  terminal.Write(text.back() == L'\n' ? text : text + L'\n');
  return true;
}

} // namespace launcher
