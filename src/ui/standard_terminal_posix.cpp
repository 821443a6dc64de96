#include "ui/standard_terminal.h"

#include <cerrno>
#include <cstdio>
#include <string>

#include <unistd.h>

#include "base/text.h"

namespace launcher {

bool StandardStreamsAreTerminal() {
  return isatty(STDIN_FILENO) == 1 && isatty(STDERR_FILENO) == 1;
}

void StandardTerminal::Write(const std::wstring& text) {
  const std::string bytes = ToUtf8(text);
  std::fwrite(bytes.data(), 1, bytes.size(), stderr);
  std::fflush(stderr);
}

std::optional<std::wstring> StandardTerminal::ReadLine() {
  std::string line;
  for (;;) {
    char c = 0;
    const ssize_t got = read(STDIN_FILENO, &c, 1);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      if (line.empty()) {
        return std::nullopt;
      }
      break;
    }
    if (c == '\n') {
      break;
    }
    line += c;
  }
  return FromUtf8(line);
}

} // namespace launcher
