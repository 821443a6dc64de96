#pragma once

// The two dialogs as questions on a terminal, for a system without the launcher's windows
// (Linux). The conversation goes through TerminalIo, so that it is the same whether the
// other end is a person at a terminal or a test.

#include <cstdint>
#include <optional>
#include <string>

#include "ui/dialog_choices.h"

namespace launcher {

class TerminalIo {
public:
  virtual ~TerminalIo() = default;
  virtual void Write(const std::wstring& text) = 0;
  // One line without its line end; nothing at the end of input.
  virtual std::optional<std::wstring> ReadLine() = 0;
};

// "JRE Not Found": tells the message and the download address, then asks for a runtime folder
// until one holds a VM library (OK), or the answer is empty or input ends (Cancel).
JreChoice AskForJreFolder(TerminalIo& io, const std::wstring& message, int32_t jvmType);

// "Java Exception": shows the trace and asks "Ignore or Stop"; an empty answer or the end of
// input is Stop, and any other answer than these two is asked again. Returns the dialog result
// (kDialogOk for Ignore, kDialogCancel for Stop).
intptr_t AskIgnoreOrStop(TerminalIo& io, const std::wstring& trace);

} // namespace launcher
