#include "ui/exception_dialog.h"

#include "base/windows_api.h"

#include "ui/dialog_choices.h"
#include "ui/dialog_ids.h"
#include "ui/dialog_window.h"

namespace launcher {
namespace {

struct JavaExceptionDialog {
  std::wstring text;
  DialogResizer layout;
};

INT_PTR CALLBACK JavaExceptionProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<JavaExceptionDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
  case WM_INITDIALOG:
    state = reinterpret_cast<JavaExceptionDialog*>(lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    SetDlgItemTextW(dialog, kIdcExceptionTrace, state->text.c_str());
    SendDlgItemMessageW(dialog, kIdcExceptionTrace, EM_SETREADONLY, TRUE, 0);
    CentreDialog(dialog);
    state->layout.Init(dialog, ExceptionDialogLayout());
    return TRUE;
  case WM_COMMAND:
    if (LOWORD(wParam) == kIdcIgnore || LOWORD(wParam) == kIdcStop) {
      EndDialog(dialog, LOWORD(wParam));
      return TRUE;
    }
    return FALSE;
  case WM_SIZE:
    if (state != nullptr) {
      state->layout.OnSize(dialog, static_cast<unsigned>(wParam), LOWORD(lParam), HIWORD(lParam));
    }
    return TRUE;
  case WM_GETMINMAXINFO:
    if (state != nullptr) {
      state->layout.OnGetMinMaxInfo(reinterpret_cast<void*>(lParam));
    }
    return TRUE;
  default:
    return FALSE;
  }
}

} // namespace

bool ShowJavaExceptionDialog(const std::wstring& text) {
  if (text.empty()) {
    return false;
  }
  JavaExceptionDialog state{text, DialogResizer()};
  const INT_PTR result =
      DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIddJavaException),
                      GetActiveWindow(), JavaExceptionProcedure, reinterpret_cast<LPARAM>(&state));
  return StopsApplication(result);
}

} // namespace launcher
