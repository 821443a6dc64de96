#pragma once

// The window side of dialog_layout.h, for the Windows dialogs only: centring a dialog as it
// opens, and the size grip, minimum size and control layout of a resizable dialog.

#include <vector>

#include "base/error_message.h"
#include "ui/dialog_layout.h"

namespace launcher {

// Centres a top-level dialog on its owner when the owner is visible and not minimised, else on
// the work area of the nearest monitor, keeping it inside that work area; a child dialog on its
// parent's client area. Leaves the dialog where it is when the monitor cannot be told.
void CentreDialog(WindowHandle dialog);

// Keeps the controls of a resizable dialog in place by their layout rules. Lives in the dialog
// object; Init from WM_INITDIALOG, the other two from the messages they are named after.
class DialogResizer {
public:
  void Init(WindowHandle dialog, const std::vector<LayoutRule>& rules);
  void OnSize(WindowHandle dialog, unsigned sizeType, int clientWidth, int clientHeight);
  // minMaxInfo: the MINMAXINFO of WM_GETMINMAXINFO.
  void OnGetMinMaxInfo(void* minMaxInfo) const;

private:
  std::vector<LayoutEntry> entries_;
  int clientWidth_ = 0, clientHeight_ = 0;
  int minTrackWidth_ = -1, minTrackHeight_ = -1;
  WindowHandle grip_ = nullptr;
};

} // namespace launcher
