#include "base/error_message.h"

#include "base/text_format.h"

namespace launcher {

void ShowErrorMessage(WindowHandle owner, const std::wstring& format, const std::wstring& text,
                      int code) {
  ShowErrorMessage(owner, FormatText(format, {text, code}));
}

void ShowErrorMessage(WindowHandle owner, const std::wstring& format, const std::wstring& text,
                      const std::wstring& reason) {
  ShowErrorMessage(owner, FormatText(format, {text, reason}));
}

void ShowErrorMessage(WindowHandle owner, const std::wstring& format, const std::wstring& text) {
  ShowErrorMessage(owner, FormatText(format, {text}));
}

} // namespace launcher
