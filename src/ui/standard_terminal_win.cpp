#include "ui/standard_terminal.h"

#include "base/console_text_win.h"

namespace launcher {

bool StandardStreamsAreTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0 &&
         GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

void StandardTerminal::Write(const std::wstring& text) {
  WriteTextToHandle(GetStdHandle(STD_ERROR_HANDLE), text);
}

// One unit at a time up to the line feed, as on Linux, so that nothing past the answer is
// taken from the console's input, which belongs to the application afterwards. Ctrl+Z at the
// start of a line is the console's end of input.
std::optional<std::wstring> StandardTerminal::ReadLine() {
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  std::wstring line;
  bool readAny = false;
  for (;;) {
    wchar_t unit = 0;
    DWORD read = 0;
    if (ReadConsoleW(input, &unit, 1, &read, nullptr) == 0 || read == 0 ||
        (unit == L'\x1a' && line.empty())) {
      if (!readAny) {
        return std::nullopt;
      }
      break;
    }
    readAny = true;
    if (unit == L'\n') {
      break;
    }
    if (unit != L'\r') {
      line += unit;
    }
  }
  return line;
}

} // namespace launcher
