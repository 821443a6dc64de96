#include "ui/jre_not_found_dialog.h"

#include "base/windows_api.h"

#include <shlobj.h>

#include "base/message_ids.h"
#include "base/string_table.h"
#include "ui/dialog_ids.h"
#include "ui/dialog_window.h"
#include "ui/hyperlink.h"

namespace launcher {
namespace {

struct JreNotFoundDialog {
  std::wstring message;
  int32_t jvmType;
  JreChoice choice;
};

// The shell's folder browser over the dialog; the picked folder, or nothing when the user
// cancelled or picked something that is no file-system folder.
std::optional<std::wstring> BrowseForFolder(HWND dialog) {
  const std::wstring title = LoadResourceString(kMsgBrowseForJre);
  BROWSEINFOW browse{};
  browse.hwndOwner = dialog;
  browse.lpszTitle = title.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;
  PIDLIST_ABSOLUTE picked = SHBrowseForFolderW(&browse);
  if (picked == nullptr) {
    return std::nullopt;
  }
  wchar_t path[MAX_PATH] = {};
  const bool isFolder = SHGetPathFromIDListW(picked, path) != FALSE;
  CoTaskMemFree(picked);
  if (!isFolder) {
    return std::nullopt;
  }
  return std::wstring(path);
}

void TakeFolder(HWND dialog, JreNotFoundDialog& state, const std::wstring& folder) {
  SetDlgItemTextW(dialog, kIdcJreFolder, folder.c_str());
  TakePickedFolder(state.choice, folder, state.jvmType);
  EnableWindow(GetDlgItem(dialog, kIdcOk), state.choice.okEnabled);
}

INT_PTR CALLBACK JreNotFoundProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<JreNotFoundDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
  case WM_INITDIALOG:
    state = reinterpret_cast<JreNotFoundDialog*>(lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    AttachHyperlink(GetDlgItem(dialog, kIdcJreLink));
    SetDlgItemTextW(dialog, kIdcJreMessage, state->message.c_str());
    EnableWindow(GetDlgItem(dialog, kIdcOk), FALSE);
    CentreDialog(dialog);
    return TRUE;
  case WM_COMMAND:
    switch (LOWORD(wParam)) {
    case kIdcOk:
      // Only with a runtime: OK is enabled exactly then, and nothing else can press it.
      if (state->choice.okEnabled) {
        EndDialog(dialog, kDialogOk);
      }
      return TRUE;
    case kIdcCancel:
      EndDialog(dialog, kDialogCancel);
      return TRUE;
    case kIdcJreBrowse:
      if (const std::optional<std::wstring> folder = BrowseForFolder(dialog)) {
        TakeFolder(dialog, *state, *folder);
      }
      return TRUE;
    default:
      return FALSE;
    }
  default:
    return FALSE;
  }
}

} // namespace

JreChoice ShowJreNotFoundDialog(const std::wstring& message, int32_t jvmType) {
  JreNotFoundDialog state{message, jvmType, JreChoice{}};
  // The shell's folder browser wants COM on this thread; a thread that has it already keeps it.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  state.choice.result =
      DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIddJreNotFound),
                      GetActiveWindow(), JreNotFoundProcedure, reinterpret_cast<LPARAM>(&state));
  if (SUCCEEDED(com)) {
    CoUninitialize();
  }
  return state.choice;
}

} // namespace launcher
