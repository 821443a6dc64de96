#include "base/windows_api.h"
#include "ui/error_message.h"

namespace launcher {

void ShowErrorMessage(WindowHandle owner, const std::wstring& text) {
  MessageBoxW(static_cast<HWND>(owner), text.c_str(), nullptr, MB_OK | MB_ICONERROR);
}

} // namespace launcher
