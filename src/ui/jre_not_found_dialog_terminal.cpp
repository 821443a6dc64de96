#include "ui/jre_not_found_dialog.h"

#include "base/error_message.h"
#include "jvm/discovery/missing_jre_message.h"
#include "ui/standard_terminal.h"

namespace launcher {

JreChoice ShowJreNotFoundDialog(const std::wstring& message, int32_t jvmType) {
  if (StandardStreamsAreTerminal()) {
    StandardTerminal terminal;
    return AskForJreFolder(terminal, message, jvmType);
  }
  ShowErrorMessage(nullptr, message + L" " + kJavaDownloadAddress);
  return JreChoice{};
}

} // namespace launcher
