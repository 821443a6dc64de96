#include "ui/dialog_layout.h"

#include "ui/dialog_ids.h"

namespace launcher {

Rect ArrangeControl(const LayoutEntry& entry, int dx, int dy) {
  const Rect& initial = entry.initial;
  Rect rect = initial;
  if (entry.flags & (kLayoutSizeX | kLayoutMoveX)) {
    rect.right = initial.right + dx;
  }
  if (entry.flags & kLayoutMoveX) {
    rect.left = rect.right - initial.Width();
  }
  if (entry.flags & kLayoutCentreX) {
    rect.left = initial.left + dx / 2;
    rect.right = rect.left + initial.Width();
  }
  if (entry.flags & (kLayoutSizeY | kLayoutMoveY)) {
    rect.bottom = initial.bottom + dy;
  }
  if (entry.flags & kLayoutMoveY) {
    rect.top = rect.bottom - initial.Height();
  }
  if (entry.flags & kLayoutCentreY) {
    rect.top = initial.top + dy / 2;
    rect.bottom = rect.top + initial.Height();
  }
  return rect;
}

Point CentredPosition(int width, int height, const std::optional<Rect>& reference,
                      const Rect& workArea) {
  const Rect& centre = reference ? *reference : workArea;
  Point at{(centre.left + centre.right) / 2 - width / 2,
           (centre.top + centre.bottom) / 2 - height / 2};
  if (at.x + width > workArea.right) {
    at.x = workArea.right - width;
  }
  if (at.x < workArea.left) {
    at.x = workArea.left;
  }
  if (at.y + height > workArea.bottom) {
    at.y = workArea.bottom - height;
  }
  if (at.y < workArea.top) {
    at.y = workArea.top;
  }
  return at;
}

const std::vector<LayoutRule>& ExceptionDialogLayout() {
  static const std::vector<LayoutRule> rules = {
      {kIdcExceptionGroup, kLayoutSizeX | kLayoutSizeY},
      {kIdcExceptionIntro, kLayoutSizeX},
      {kIdcExceptionWarning, kLayoutSizeX | kLayoutMoveY},
      {kIdcExceptionAdvice, kLayoutSizeX | kLayoutMoveY},
      {kIdcExceptionTrace, kLayoutSizeX | kLayoutSizeY},
      {kIdcIgnore, kLayoutMoveX | kLayoutMoveY},
      {kIdcStop, kLayoutMoveX | kLayoutMoveY},
  };
  return rules;
}

} // namespace launcher
