#include "ui/exception_dialog.h"

namespace launcher {

bool ShowJavaExceptionDialog(const std::wstring& text) {
  // No dialog can be shown yet: that counts as Stop.
  return !text.empty();
}

} // namespace launcher
