// How messages reach the user of the GUI program (launcher.exe): a message box.

#include "base/error_message.h"
#include "base/windows_api.h"

namespace launcher {

void ShowErrorMessage(WindowHandle owner, const std::wstring& text) {
  MessageBoxW(static_cast<HWND>(owner), text.c_str(), nullptr, MB_OK | MB_ICONERROR);
}

} // namespace launcher
