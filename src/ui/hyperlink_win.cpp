#include "ui/hyperlink.h"

#include "base/windows_api.h"

#include <commctrl.h>
#include <shellapi.h>

#include "base/text.h"
#include "ui/anchor_color.h"

namespace launcher {
namespace {

COLORREF ToColorRef(const LinkColor& color) {
  return RGB(color.red, color.green, color.blue);
}

// "Anchor Color" or "Anchor Color Visited", when it is text that fits the 12-unit buffer the
// value is read into and names a colour.
std::optional<LinkColor> ReadAnchorColor(HKEY key, const wchar_t* name) {
  wchar_t buffer[kAnchorColorMaxLength + 1] = {};
  DWORD type = 0, size = sizeof buffer;
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::nullopt;
  }
  const size_t units = size / sizeof(wchar_t);
  size_t length = 0;
  while (length < units && buffer[length] != L'\0') {
    ++length;
  }
  if (length == kAnchorColorMaxLength + 1) {
    return std::nullopt; // not terminated within the buffer
  }
  return ParseAnchorColor(ToUtf16(std::wstring_view(buffer, length)));
}

class HyperLink {
public:
  explicit HyperLink(HWND label, std::wstring address)
      : window_(label), address_(std::move(address)) {}

  void Attach() {
    previous_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window_, GWLP_WNDPROC));
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HyperLink::Procedure));
    Initialise();
  }

private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<HyperLink*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
      return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
      const WNDPROC previous = self->previous_;
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      delete self;
      return CallWindowProcW(previous, window, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
  }

  LRESULT Previous(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(previous_, window_, message, wParam, lParam);
  }

  void Initialise() {
    wchar_t className[16] = {};
    GetClassNameW(window_, className, 16);
    LONG style = GetWindowLongW(window_, GWL_STYLE);
    if (_wcsicmp(className, L"static") == 0) {
      // SS_NOTIFY for the mouse; a tab stop so that the link can be reached with the keyboard
      // and opened with Enter or Space.
      style |= SS_NOTIFY | WS_TABSTOP;
      SetWindowLongW(window_, GWL_STYLE, style);
      const LONG type = style & SS_TYPEMASK;
      if ((type >= 3 && type <= 9) || (type >= 13 && type <= 15)) {
        paintLabel_ = false; // an icon, a rectangle, a frame, owner-drawn, a bitmap or a metafile
      }
    }
    cursor_ = LoadCursorW(nullptr, IDC_HAND);
    if (paintLabel_) {
      normalFont_ = reinterpret_cast<HFONT>(Previous(WM_GETFONT, 0, 0));
      if (normalFont_ == nullptr) {
        LOGFONTW font{};
        if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0)) {
          normalFont_ = CreateFontIndirectW(&font);
          ownsNormalFont_ = normalFont_ != nullptr;
        }
      }
      CreateLinkFont();
    }
    tooltip_ =
        CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (label_.empty()) {
      const int length = GetWindowTextLengthW(window_);
      std::wstring text(static_cast<size_t>(length) + 1, L'\0');
      text.resize(static_cast<size_t>(GetWindowTextW(window_, text.data(), length + 1)));
      label_ = text;
    }
    if (address_.empty()) {
      address_ = label_;
    }
    ComputeLinkRect();
    AddTool();
    if (paintLabel_) {
      ReadUserColours();
    }
  }

  void CreateLinkFont() {
    LOGFONTW font{};
    HGDIOBJ base =
        normalFont_ != nullptr ? static_cast<HGDIOBJ>(normalFont_) : GetStockObject(SYSTEM_FONT);
    if (GetObjectW(base, sizeof font, &font) == 0) {
      return;
    }
    font.lfUnderline = TRUE;
    linkFont_ = CreateFontIndirectW(&font);
    ownsLinkFont_ = linkFont_ != nullptr;
  }

  void AddTool() {
    if (tooltip_ == nullptr) {
      return;
    }
    SendMessageW(tooltip_, TTM_ACTIVATE, TRUE, 0);
    TTTOOLINFOW tool{};
    // Common controls before version 6 take only the record without its reserved field.
    tool.cbSize = LOBYTE(LOWORD(GetVersion())) >= 6 ? sizeof tool : TTTOOLINFOW_V2_SIZE;
    tool.hwnd = window_;
    tool.uId = 1;
    tool.rect = linkRect_;
    tool.lpszText = const_cast<wchar_t*>(address_.c_str());
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }

  void UpdateToolRect() {
    if (tooltip_ == nullptr) {
      return;
    }
    TTTOOLINFOW tool{};
    tool.cbSize = LOBYTE(LOWORD(GetVersion())) >= 6 ? sizeof tool : TTTOOLINFOW_V2_SIZE;
    tool.hwnd = window_;
    tool.uId = 1;
    tool.rect = linkRect_;
    SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
  }

  void ReadUserColours() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer\\Settings", 0,
                      KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS) {
      return;
    }
    if (const std::optional<LinkColor> color = ReadAnchorColor(key, L"Anchor Color")) {
      linkColour_ = ToColorRef(*color);
    }
    if (const std::optional<LinkColor> color = ReadAnchorColor(key, L"Anchor Color Visited")) {
      visitedColour_ = ToColorRef(*color);
    }
    RegCloseKey(key);
  }

  UINT TextFormat() const {
    const LONG style = GetWindowLongW(window_, GWL_STYLE) & SS_TYPEMASK;
    return DT_WORDBREAK | (style == SS_CENTER ? DT_CENTER : style == SS_RIGHT ? DT_RIGHT : DT_LEFT);
  }

  void ComputeLinkRect() {
    RECT client;
    GetClientRect(window_, &client);
    linkRect_ = client;
    HDC dc = GetDC(window_);
    HGDIOBJ old = linkFont_ != nullptr ? SelectObject(dc, linkFont_) : nullptr;
    DrawTextW(dc, label_.c_str(), -1, &linkRect_, DT_CALCRECT | TextFormat());
    if (old != nullptr) {
      SelectObject(dc, old);
    }
    ReleaseDC(window_, dc);
    const LONG type = GetWindowLongW(window_, GWL_STYLE) & SS_TYPEMASK;
    const int free = (client.right - client.left) - (linkRect_.right - linkRect_.left);
    const int shift = type == SS_CENTER ? free / 2 : type == SS_RIGHT ? free : 0;
    OffsetRect(&linkRect_, shift, 0);
  }

  bool InLink(LPARAM lParam) const {
    const POINT point{GET_X_LPARAM_(lParam), GET_Y_LPARAM_(lParam)};
    return PtInRect(&linkRect_, point) != FALSE;
  }
  static int GET_X_LPARAM_(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
  static int GET_Y_LPARAM_(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

  void Navigate() {
    const HINSTANCE result =
        ShellExecuteW(nullptr, L"open", address_.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) > 32) {
      visited_ = true;
      InvalidateRect(window_, nullptr, TRUE);
    }
  }

  void Paint(HDC dc) {
    RECT client;
    GetClientRect(window_, &client);
    HWND parent = GetParent(window_);
    if (HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessageW(parent, WM_CTLCOLORSTATIC,
                                                             reinterpret_cast<WPARAM>(dc),
                                                             reinterpret_cast<LPARAM>(window_)))) {
      FillRect(dc, &client, brush);
    }
    if (!paintLabel_) {
      return;
    }
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF colour = !IsWindowEnabled(window_) ? GetSysColor(COLOR_GRAYTEXT)
                            : visited_                ? visitedColour_
                                                      : linkColour_;
    const COLORREF oldColour = SetTextColor(dc, colour);
    HGDIOBJ oldFont = linkFont_ != nullptr ? SelectObject(dc, linkFont_) : nullptr;
    RECT text = linkRect_;
    DrawTextW(dc, label_.c_str(), -1, &text, TextFormat());
    if (GetFocus() == window_) {
      DrawFocusRect(dc, &linkRect_);
    }
    if (oldFont != nullptr) {
      SelectObject(dc, oldFont);
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
  }

  void RelayToTooltip(UINT message, WPARAM wParam, LPARAM lParam) {
    if (tooltip_ != nullptr) {
      MSG msg{window_, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
      const DWORD position = GetMessagePos();
      msg.pt = POINT{GET_X_LPARAM_(static_cast<LPARAM>(position)),
                     GET_Y_LPARAM_(static_cast<LPARAM>(position))};
      SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
  }

  void Destroy() {
    if (tooltip_ != nullptr) {
      DestroyWindow(tooltip_);
      tooltip_ = nullptr;
    }
    if (ownsLinkFont_) {
      DeleteObject(linkFont_);
    }
    if (ownsNormalFont_) {
      DeleteObject(normalFont_);
    }
    linkFont_ = normalFont_ = nullptr;
    ownsLinkFont_ = ownsNormalFont_ = false;
  }

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
      RelayToTooltip(message, wParam, lParam);
    }
    switch (message) {
    case WM_DESTROY:
      Destroy();
      break;
    case WM_MOUSEMOVE:
      if (InLink(lParam)) {
        SetCursor(cursor_);
        return 0;
      }
      break;
    case WM_SETCURSOR: {
      POINT point;
      GetCursorPos(&point);
      ScreenToClient(window_, &point);
      if (PtInRect(&linkRect_, point)) {
        SetCursor(cursor_);
        return TRUE;
      }
      break;
    }
    case WM_LBUTTONDOWN:
      if (InLink(lParam)) {
        SetFocus(window_);
        SetCapture(window_);
        return 0;
      }
      break;
    case WM_LBUTTONUP:
      if (GetCapture() == window_) {
        ReleaseCapture();
        if (InLink(lParam)) {
          Navigate();
        }
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == VK_RETURN || wParam == VK_SPACE) {
        Navigate();
      }
      return 0;
    case WM_GETDLGCODE: {
      // Enter too, which the dialog would otherwise take for its default button.
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      const bool enter = msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN;
      return DLGC_WANTCHARS | (enter ? DLGC_WANTMESSAGE : 0);
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
      InvalidateRect(window_, nullptr, TRUE);
      return 0;
    case WM_ERASEBKGND:
      return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window_, &paint);
      Paint(dc);
      EndPaint(window_, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(normalFont_);
    case WM_SETFONT:
      if (ownsNormalFont_) {
        DeleteObject(normalFont_);
      }
      normalFont_ = reinterpret_cast<HFONT>(wParam);
      ownsNormalFont_ = false;
      if (ownsLinkFont_) {
        DeleteObject(linkFont_);
        linkFont_ = nullptr;
        ownsLinkFont_ = false;
        CreateLinkFont();
      }
      ComputeLinkRect();
      UpdateToolRect();
      if (LOWORD(lParam)) {
        InvalidateRect(window_, nullptr, TRUE);
      }
      return 0;
    case WM_UPDATEUISTATE: {
      const LRESULT result = Previous(message, wParam, lParam);
      InvalidateRect(window_, nullptr, TRUE);
      return result;
    }
    case WM_SIZE:
      ComputeLinkRect();
      UpdateToolRect();
      break;
    default:
      break;
    }
    return Previous(message, wParam, lParam);
  }

  HWND window_;
  WNDPROC previous_ = nullptr;
  std::wstring label_;
  std::wstring address_;
  HCURSOR cursor_ = nullptr;
  HFONT normalFont_ = nullptr;
  HFONT linkFont_ = nullptr;
  bool ownsNormalFont_ = false;
  bool ownsLinkFont_ = false;
  bool paintLabel_ = true;
  bool visited_ = false;
  RECT linkRect_{};
  HWND tooltip_ = nullptr;
  COLORREF linkColour_ = ToColorRef(kDefaultLinkColor);
  COLORREF visitedColour_ = ToColorRef(kDefaultVisitedLinkColor);
};

} // namespace

void AttachHyperlink(WindowHandle label, const std::wstring& address) {
  static const bool commonControls = [] {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)commonControls;
  HWND window = static_cast<HWND>(label);
  if (window == nullptr) {
    return;
  }
  (new HyperLink(window, address))->Attach();
}

} // namespace launcher
