#pragma once

// The arithmetic of the launcher's dialogs: where a dialog opens (centred on its owner or on
// the work area of its monitor, kept inside that work area) and where each control of a
// resizable dialog goes when the user resizes it (by its layout flags, always from the
// control's initial rectangle, so that growing and shrinking back restores it exactly).
// The window calls that apply these rules are in dialog_window.h.

#include <optional>
#include <vector>

namespace launcher {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

struct Point {
  int x = 0, y = 0;
  bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

// How a control follows a change of its dialog's client size.
enum LayoutFlag : unsigned {
  kLayoutSizeX = 0x01,   // the right edge follows the right edge of the dialog
  kLayoutSizeY = 0x02,   // the lower edge follows the lower edge of the dialog
  kLayoutMoveX = 0x04,   // moves right with the dialog's right edge, keeping its width
  kLayoutMoveY = 0x08,   // moves down with the dialog's lower edge, keeping its height
  kLayoutRepaint = 0x10, // is invalidated before each move (the size grip)
  kLayoutCentreX = 0x20, // moves right by half the growth, keeping its width
  kLayoutCentreY = 0x40, // moves down by half the growth, keeping its height
};

struct LayoutRule {
  int controlId;
  unsigned flags;
};

struct LayoutEntry {
  int controlId;
  unsigned flags;
  Rect initial; // in the dialog's client coordinates when the layout was set up
};

// The control's rectangle when the client area has grown by dx and dy (negative: shrunk).
Rect ArrangeControl(const LayoutEntry& entry, int dx, int dy);

// The top left corner of a window of the given size centred on `reference` (the owner's
// window rectangle), or on the work area when there is no reference, then pushed inside the
// work area: right and lower edges first, then left and upper edges, so a window larger than
// the work area has its left and top edges on the work area's.
Point CentredPosition(int width, int height, const std::optional<Rect>& reference,
                      const Rect& workArea);

// The size grip's id (the id Windows' own frame code uses for it) and its rule, which comes
// first in a resizable dialog's layout.
constexpr int kSizeGripId = 0xE801;
constexpr LayoutRule kSizeGripRule{kSizeGripId, kLayoutMoveX | kLayoutMoveY | kLayoutRepaint};

// The "Java Exception" dialog: the group box and the trace grow, the labels widen (the two
// lower ones move down) and the buttons follow the lower right corner. In this order.
const std::vector<LayoutRule>& ExceptionDialogLayout();

} // namespace launcher
