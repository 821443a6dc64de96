#pragma once

// The "JRE Not Found" dialog: shown when no Java runtime satisfies the settings. It tells the
// user which runtime is needed and where to get one, and lets them pick an installed runtime's
// folder, which is accepted only when a VM library is found in it.
//
// Windows: the modal dialog of resource 201 over the active window, with the download link and
// the shell's folder browser. Linux: the same conversation on the terminal when standard input
// and standard error are one; otherwise the message and the download address on standard error,
// and the result of a dialog that cannot be shown.

#include <cstdint>
#include <string>

#include "ui/dialog_choices.h"

namespace launcher {

// message: text 206 or 207 with the requirement filled in (ComposeMissingJreMessage).
JreChoice ShowJreNotFoundDialog(const std::wstring& message, int32_t jvmType);

} // namespace launcher
