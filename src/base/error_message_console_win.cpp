// How messages reach the user of the console program (launcher-console.exe): on standard
// error, where a command-line tool's user looks, instead of a message box that would stop a
// script until someone presses OK.

#include "base/console_text_win.h"
#include "base/error_message.h"

namespace launcher {

void ShowErrorMessage(WindowHandle, const std::wstring& text) {
  std::wstring line = text;
  if (line.empty() || line.back() != L'\n') {
    line += L'\n';
  }
  WriteTextToHandle(GetStdHandle(STD_ERROR_HANDLE), line);
}

} // namespace launcher
