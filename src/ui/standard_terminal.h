#pragma once

// The process's own terminal as a TerminalIo: questions on standard error (so that they never
// mix with the application's standard output) and answers from standard input. Linux, and the
// Windows console program (a console on both streams); the Windows GUI program asks through its
// dialogs.

#include "ui/terminal_dialogs.h"

namespace launcher {

// Whether standard input and standard error are both a terminal, so that someone can answer.
bool StandardStreamsAreTerminal();

class StandardTerminal : public TerminalIo {
public:
  void Write(const std::wstring& text) override;
  // Reads byte by byte up to the line feed, so that nothing past the answer is taken from
  // standard input, which belongs to the application afterwards.
  std::optional<std::wstring> ReadLine() override;
};

} // namespace launcher
