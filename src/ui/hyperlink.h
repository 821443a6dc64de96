#pragma once

// A label of a dialog made into a link, for the Windows dialogs only: drawn in the link colours
// (the user's "Anchor Color" settings when they are well formed, grey when disabled) with an
// underlined font, the hand cursor over its text, the address in a tooltip, and the address
// opened with the shell on a click inside the text or on Enter or Space while it has the focus.
// It takes the focus from the keyboard too (a tab stop is added).

#include <string>

#include "base/error_message.h"

namespace launcher {

// Subclasses the label; the link lives until the label is destroyed. An empty address means
// the label's own text.
void AttachHyperlink(WindowHandle label, const std::wstring& address = std::wstring());

} // namespace launcher
