#include "ui/terminal_dialogs.h"

#include "base/message_ids.h"
#include "base/string_table.h"
#include "base/text.h"
#include "base/text_format.h"
#include "jvm/discovery/missing_jre_message.h"

namespace launcher {
namespace {

std::wstring Trimmed(const std::wstring& text) {
  const size_t first = text.find_first_not_of(L" \t\r");
  if (first == std::wstring::npos) {
    return std::wstring();
  }
  return text.substr(first, text.find_last_not_of(L" \t\r") - first + 1);
}

std::wstring WithLineEnd(std::wstring text) {
  if (text.empty() || text.back() != L'\n') {
    text += L'\n';
  }
  return text;
}

} // namespace

JreChoice AskForJreFolder(TerminalIo& io, const std::wstring& message, int32_t jvmType) {
  JreChoice choice;
  io.Write(message + L" " + kJavaDownloadAddress + L"\n" +
           WithLineEnd(LoadResourceString(kMsgJreFolderHintPosix)));
  for (;;) {
    io.Write(LoadResourceString(kMsgJreFolderPromptPosix));
    const std::optional<std::wstring> answer = io.ReadLine();
    const std::wstring folder = answer ? Trimmed(*answer) : std::wstring();
    if (folder.empty()) {
      if (!answer) {
        io.Write(L"\n");
      }
      choice.result = kDialogCancel;
      return choice;
    }
    TakePickedFolder(choice, folder, jvmType);
    if (!choice.jvmDllPath.empty()) {
      choice.result = kDialogOk;
      return choice;
    }
    io.Write(FormatText(LoadResourceString(kMsgNoJvmInFolderPosix), {choice.chosenFolder}));
  }
}

intptr_t AskIgnoreOrStop(TerminalIo& io, const std::wstring& trace) {
  io.Write(WithLineEnd(LoadResourceString(kMsgExceptionIntroPosix)) + WithLineEnd(trace));
  for (;;) {
    io.Write(LoadResourceString(kMsgIgnoreOrStopPosix));
    const std::optional<std::wstring> answer = io.ReadLine();
    const std::wstring word = answer ? Trimmed(*answer) : std::wstring();
    if (!answer) {
      io.Write(L"\n");
    }
    if (word.empty() || EqualsIgnoringAsciiCase(word, L"s") ||
        EqualsIgnoringAsciiCase(word, L"stop")) {
      return kDialogCancel;
    }
    if (EqualsIgnoringAsciiCase(word, L"i") || EqualsIgnoringAsciiCase(word, L"ignore")) {
      return kDialogOk;
    }
  }
}

} // namespace launcher
