#pragma once

// What the launcher's two dialogs decide, apart from their windows, so that the Windows dialogs
// and the Linux terminal prompts decide alike.
//
// "JRE Not Found": each folder the user picks is kept with one trailing separator and probed
// for a VM library by the settings' "JVM Type"; OK is enabled exactly while the folder picked
// last holds one, so OK never hands on a folder without a runtime. The launch goes on only with
// result 1 (OK). "Java Exception": every result but 1 (Ignore) stops the application.

#include <cstdint>
#include <string>

#include "base/platform.h"

namespace launcher {

// Dialog results: OK or Ignore, Cancel or Stop (also Escape and the close box). A dialog that
// cannot be shown gives another value (kDialogNotShown here).
constexpr intptr_t kDialogOk = 1;
constexpr intptr_t kDialogCancel = 2;
constexpr intptr_t kDialogNotShown = -1;

struct JreChoice {
  intptr_t result = kDialogNotShown;
  std::wstring chosenFolder; // the folder picked last, with its trailing separator
  std::wstring jvmDllPath;   // the VM library found in it; empty when none was
  bool okEnabled = false;    // the VM library was found
};

// A picked folder as the dialog keeps it: one separator appended unless it already ends with
// one (a drive root); an empty path stays empty.
std::wstring ChosenFolderOf(const std::wstring& picked, wchar_t separator = kPathSeparator);

// Takes a picked folder into the choice and probes it with FindJvmLibrary.
void TakePickedFolder(JreChoice& choice, const std::wstring& picked, int32_t jvmType,
                      wchar_t separator = kPathSeparator);

// Whether the launch goes on with the choice (only after OK).
inline bool AcceptsJreChoice(const JreChoice& choice) {
  return choice.result == kDialogOk;
}

// Whether the uncaught-exception dialog's result stops the application.
inline bool StopsApplication(intptr_t exceptionDialogResult) {
  return exceptionDialogResult != kDialogOk;
}

} // namespace launcher
