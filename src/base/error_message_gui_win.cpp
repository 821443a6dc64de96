// How messages reach the user of the GUI program (launcher.exe): a message box.

#include "base/error_message.h"
#include "base/windows_api.h"

namespace launcher {

void ShowErrorMessage(WindowHandle owner, const std::wstring& text) {
  // An owner that is gone (a splash window closed by another program) would keep the box from
  // showing at all.
  HWND window = static_cast<HWND>(owner);
  if (window != nullptr && !IsWindow(window)) {
    window = nullptr;
  }
  MessageBoxW(window, text.c_str(), nullptr, MB_OK | MB_ICONERROR);
}

} // namespace launcher
