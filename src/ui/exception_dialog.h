#pragma once

// The uncaught-exception dialog: shows the stack trace of an exception that ended main and
// asks whether to ignore it or stop the application.
//
// Until the dialog window exists, every platform takes the case of a dialog that cannot be
// shown, which counts as Stop. Linux additionally prints the trace on standard error, so
// that the user sees why the application stops.

#include <string>

namespace launcher {

// True when the application is to stop (Stop, Escape, the close box, or a dialog that
// cannot be shown); false for Ignore. An empty text shows nothing and returns false.
bool ShowJavaExceptionDialog(const std::wstring& text);

} // namespace launcher
