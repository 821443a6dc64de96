#pragma once

// The uncaught-exception dialog: shows the stack trace of an exception that ended main and
// asks whether to ignore it or stop the application.
//
// Windows: the modal, resizable dialog of resource 231 over the thread's active window.
// Linux: the trace and the question "Ignore or Stop" on the terminal when standard input and
// standard error are one; otherwise the trace on standard error and the result of a dialog that
// cannot be shown, which counts as Stop.

#include <string>

namespace launcher {

// True when the application is to stop (Stop, Escape, the close box, or a dialog that
// cannot be shown); false for Ignore. An empty text shows nothing and returns false.
bool ShowJavaExceptionDialog(const std::wstring& text);

} // namespace launcher
