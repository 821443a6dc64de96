#pragma once

// The one way a failure reaches the user. Windows: a modal message box with the error icon,
// one OK button and the system's default caption, owned by `owner` (or by no window).
// Linux: the same text on standard error, one message per line block.
//
// Callers load texts from the string table and hand them in ready; the variants fill the
// printf-style placeholders of a format first.

#include <string>

namespace launcher {

// An opaque window handle (HWND on Windows); null for none.
using WindowHandle = void*;

void ShowErrorMessage(WindowHandle owner, const std::wstring& text);
void ShowErrorMessage(WindowHandle owner, const std::wstring& format, const std::wstring& text,
                      int code);
void ShowErrorMessage(WindowHandle owner, const std::wstring& format, const std::wstring& text,
                      const std::wstring& reason);
void ShowErrorMessage(WindowHandle owner, const std::wstring& format, const std::wstring& text);

} // namespace launcher
