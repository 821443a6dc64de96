#include "ui/dialog_window.h"

#include <climits>

#include "base/windows_api.h"

namespace launcher {
namespace {

Rect ToRect(const RECT& rect) {
  return Rect{rect.left, rect.top, rect.right, rect.bottom};
}

// The control's rectangle in its dialog's client coordinates.
Rect ClientRectOf(HWND control, HWND dialog) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return ToRect(rect);
}

} // namespace

void CentreDialog(WindowHandle handle) {
  HWND dialog = static_cast<HWND>(handle);
  RECT own;
  GetWindowRect(dialog, &own);
  const int width = own.right - own.left, height = own.bottom - own.top;
  if (GetWindowLongW(dialog, GWL_STYLE) & WS_CHILD) {
    RECT client;
    GetClientRect(GetParent(dialog), &client);
    const Rect unbounded{INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2};
    const Point at = CentredPosition(width, height, ToRect(client), unbounded);
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  HWND owner = GetWindow(dialog, GW_OWNER);
  HWND reference = owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner) ? owner : nullptr;
  HMONITOR monitor =
      MonitorFromWindow(reference != nullptr ? reference : dialog, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (monitor == nullptr || !GetMonitorInfoW(monitor, &info)) {
    return;
  }
  std::optional<Rect> centre;
  if (reference != nullptr) {
    RECT rect;
    GetWindowRect(reference, &rect);
    centre = ToRect(rect);
  }
  const Point at = CentredPosition(width, height, centre, ToRect(info.rcWork));
  SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogResizer::Init(WindowHandle handle, const std::vector<LayoutRule>& rules) {
  HWND dialog = static_cast<HWND>(handle);
  const LONG style = GetWindowLongW(dialog, GWL_STYLE);
  if (!(style & WS_CLIPCHILDREN)) {
    SetWindowLongW(dialog, GWL_STYLE, style | WS_CLIPCHILDREN);
  }
  const bool child = (style & WS_CHILD) != 0;
  if (!child) {
    // A modal frame shows no icon in the caption, where a dialog without one would show the
    // system's blank one.
    SetWindowLongW(dialog, GWL_EXSTYLE, GetWindowLongW(dialog, GWL_EXSTYLE) | WS_EX_DLGMODALFRAME);
    if (SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0) == 0) {
      SendMessageW(dialog, WM_SETICON, ICON_SMALL, 0);
    }
    SetWindowPos(dialog, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  if (grip_ != nullptr) {
    DestroyWindow(static_cast<HWND>(grip_));
    grip_ = nullptr;
  }
  entries_.clear();

  RECT client;
  GetClientRect(dialog, &client);
  clientWidth_ = client.right;
  clientHeight_ = client.bottom;

  // SBS_SIZEBOXBOTTOMRIGHTALIGN places the system's grip size in the lower right corner of
  // the rectangle given, the whole client area.
  HWND grip = CreateWindowExW(
      0, L"SCROLLBAR", nullptr,
      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBS_SIZEBOX | SBS_SIZEGRIP |
          SBS_SIZEBOXBOTTOMRIGHTALIGN,
      0, 0, client.right, client.bottom, dialog,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSizeGripId)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)), nullptr);
  if (grip != nullptr) {
    grip_ = grip;
    entries_.push_back({kSizeGripRule.controlId, kSizeGripRule.flags, ClientRectOf(grip, dialog)});
  }

  RECT window;
  GetWindowRect(dialog, &window);
  minTrackWidth_ = child ? client.right : window.right - window.left;
  minTrackHeight_ = child ? client.bottom : window.bottom - window.top;

  for (const LayoutRule& rule : rules) {
    if (HWND control = GetDlgItem(dialog, rule.controlId)) {
      entries_.push_back({rule.controlId, rule.flags, ClientRectOf(control, dialog)});
    }
  }
}

void DialogResizer::OnSize(WindowHandle handle, unsigned sizeType, int clientWidth,
                           int clientHeight) {
  HWND dialog = static_cast<HWND>(handle);
  if (grip_ != nullptr) {
    if (sizeType == SIZE_MAXIMIZED) {
      ShowWindow(static_cast<HWND>(grip_), SW_HIDE);
    } else if (sizeType == SIZE_RESTORED) {
      ShowWindow(static_cast<HWND>(grip_), SW_SHOW);
    }
  }
  if (sizeType == SIZE_MINIMIZED || entries_.empty()) {
    return;
  }
  const bool visible = IsWindowVisible(dialog) != FALSE;
  if (visible) {
    SendMessageW(dialog, WM_SETREDRAW, FALSE, 0);
  }
  const int dx = clientWidth - clientWidth_, dy = clientHeight - clientHeight_;
  for (const LayoutEntry& entry : entries_) {
    HWND control = entry.controlId == kSizeGripId ? static_cast<HWND>(grip_)
                                                  : GetDlgItem(dialog, entry.controlId);
    if (control == nullptr) {
      continue;
    }
    const Rect rect = ArrangeControl(entry, dx, dy);
    if (entry.flags & kLayoutRepaint) {
      InvalidateRect(control, nullptr, TRUE);
    }
    SetWindowPos(control, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (visible) {
    SendMessageW(dialog, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(dialog, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
}

void DialogResizer::OnGetMinMaxInfo(void* minMaxInfo) const {
  if (minTrackWidth_ >= 0 && minTrackHeight_ >= 0) {
    static_cast<MINMAXINFO*>(minMaxInfo)->ptMinTrackSize = POINT{minTrackWidth_, minTrackHeight_};
  }
}

} // namespace launcher
