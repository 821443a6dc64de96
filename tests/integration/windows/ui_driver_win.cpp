// ui_driver.exe PREFIX: the tests' hand on the launcher's message boxes. Until it is ended (ten
// minutes at most), it finds each dialog of a process whose image path starts with PREFIX,
// prints one line for it and presses its first button:
//   caption|icon|buttons|text      Error|error|OK|Main class was not specified in INI file.
// icon: "error" when it shows the standard error icon (told by its pixels), "none" without an
// icon, "?" for another; buttons: their texts, "," between; text: its texts, a line feed as \n.
// ui_driver.exe splash PREFIX: the same for boxes, each line followed by "|owner=" and the class
// of the box's owner window; besides, one line for each launcher splash window once it is
// visible, after which it makes the file PREFIX without its last "\" and with ".seen":
//   splash|class style|style|extended style|left,top,right,bottom|screen width x height
// and "gone" once such a window no longer exists. ui_driver.exe splash-close PREFIX: the same,
// but each splash window is sent WM_CLOSE (as another program might) and gone before the file
// is made.
// Copied under another name, it plays a paired program: it writes its command line to
// paired.txt beside itself and ends with the code PAIRED_EXIT names.
//
// ui_driver.exe --dialog PREFIX CAPTION STEP...: waits (a minute at most) for the dialog with
// that caption of such a process and works through the steps, printing what they read:
//   list          "dialog|caption|client W,H|window W,H|units X,Y|style|exstyle", then one
//                 line per child: "id|class|text|x,y,w,h|dialog units x,y,w,h|enabled|visible"
//                 (client coordinates; dialog units from the dialog font's base units)
//   click:ID      BM_CLICK on the control (nothing happens to a disabled button)
//   key:VK        the key (decimal virtual-key code) pressed on the focused control
//   close         the close box (SC_CLOSE)
//   size:W,H      SetWindowPos to that outer size; max, restore: maximise, restore
//   color:ID      "color|r,g,b": the commonest colour of the control's pixels other than its
//                 background (the commonest of all), that is the colour of its text
//   link:ID[:X]   presses and releases the left button X pixels (default 2) into the control
//   owned         "owned|caption|texts" of a dialog that the dialog owns (the folder browser)
//   browse:PATH   in the folder browser the dialog owns, picks PATH (C:\a\b) through its tree
//                 (Desktop, My Computer, the drive, each folder) and presses OK: "browse|ok"
//   ownedlist     "list" of that owned dialog
//   ownedclose    closes that owned dialog with IDCANCEL
//   tooltip:ID    "tooltip|tools|text|l,t,r,b" of the tooltip the control owns (its first tool)
//   shot:PATH     the dialog as the screen shows it, as a BMP file
//   sleep:MS      waits
// It ends when the steps are done, or with "gone" once the dialog is closed by one.
// Buttons default: the first enabled button of a box is the one pressed (never a disabled OK).

#include "base/windows_api.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

namespace {

std::wstring prefix;
HWND box;

// Through WM_GETTEXT: GetWindowText reads the text of no control of another process.
std::wstring Text(HWND window) {
  wchar_t text[4096] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      2000, nullptr);
  return text;
}

std::wstring ClassName(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

void Write(HANDLE file, const std::wstring& text) {
  std::string bytes(text.size() * 3 + 1, '\0');
  DWORD size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), bytes.size(), 0, 0);
  WriteFile(file, bytes.data(), size > 0 ? size - 1 : 0, &size, nullptr);
}

// Whether the window belongs to a process whose image path starts with the prefix.
bool OfOurProcess(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
  wchar_t path[32768] = {};
  DWORD length = 32768;
  if (handle != nullptr) {
    QueryFullProcessImageNameW(handle, 0, path, &length);
    CloseHandle(handle);
  }
  return _wcsnicmp(path, prefix.c_str(), prefix.size()) == 0;
}

BOOL CALLBACK FindBox(HWND window, LPARAM) {
  const bool found =
      OfOurProcess(window) && IsWindowVisible(window) && ClassName(window) == L"#32770";
  box = found ? window : box;
  return !found;
}

// Whether the control shows the error icon: nearly all of the icon's opaque pixels (those the
// same drawn on black and on white) are on the screen.
bool ShowsErrorIcon(HWND control) {
  const int size = GetSystemMetrics(SM_CXICON);
  RECT rect;
  GetWindowRect(control, &rect);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 3 * size, size);
  HGDIOBJ old = SelectObject(dc, bitmap);
  BitBlt(dc, 0, 0, size, size, screen, rect.left, rect.top, SRCCOPY);
  PatBlt(dc, size, 0, size, size, BLACKNESS);
  PatBlt(dc, 2 * size, 0, size, size, WHITENESS);
  DrawIconEx(dc, size, 0, LoadIconW(nullptr, IDI_ERROR), size, size, 0, nullptr, DI_NORMAL);
  DrawIconEx(dc, 2 * size, 0, LoadIconW(nullptr, IDI_ERROR), size, size, 0, nullptr, DI_NORMAL);
  int opaque = 0, same = 0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const COLORREF pixel = GetPixel(dc, size + x, y);
      if (pixel == GetPixel(dc, 2 * size + x, y)) {
        ++opaque;
        same += pixel == GetPixel(dc, x, y);
      }
    }
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return opaque > 0 && same * 20 >= opaque * 19;
}

// The box's line, and its first button.
std::wstring Describe(HWND& button) {
  std::wstring icon = L"none", buttons, texts, line = Text(box);
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const std::wstring name = ClassName(child);
    if (IsWindowVisible(child) && _wcsicmp(name.c_str(), L"Button") == 0) {
      button = button != nullptr || !IsWindowEnabled(child) ? button : child;
      buttons += (buttons.empty() ? L"" : L",") + Text(child);
    } else if (IsWindowVisible(child) && _wcsicmp(name.c_str(), L"Static") == 0 &&
               (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      icon = L"?"; // until it is painted, and not covered by another window
      for (int tries = 0; icon == L"?" && tries < 100; ++tries, Sleep(100)) {
        icon = ShowsErrorIcon(child) ? L"error" : L"?";
      }
    } else if (IsWindowVisible(child) && _wcsicmp(name.c_str(), L"Static") == 0) {
      texts += Text(child);
    }
  }
  line += L"|" + icon + L"|" + buttons + L"|";
  for (wchar_t c : texts) {
    line += c == L'\n' ? L"\\n" : std::wstring(1, c);
  }
  return line + L"\n";
}

// The dialog mode (--dialog).
std::wstring caption;
HWND dialog;

BOOL CALLBACK FindDialog(HWND window, LPARAM) {
  if (FindBox(window, 0) == FALSE && Text(window) == caption) {
    dialog = window;
    return FALSE;
  }
  box = nullptr;
  return TRUE;
}

std::wstring Escaped(const std::wstring& text) {
  std::wstring out;
  for (wchar_t c : text) {
    out += c == L'\n' ? L"\\n" : c == L'\r' ? L"\\r" : std::wstring(1, c);
  }
  return out;
}

std::wstring Numbers(std::initializer_list<long> values) {
  std::wstring out;
  for (long value : values) {
    out += (out.empty() ? L"" : L",") + std::to_wstring(value);
  }
  return out;
}

// The base units the dialog manager takes from the dialog's font: "MS Shell Dlg", 8 points.
POINT DialogBaseUnits() {
  HDC dc = GetDC(nullptr);
  HFONT font =
      CreateFontW(-MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_DONTCARE, FALSE, FALSE,
                  FALSE, DEFAULT_CHARSET, 0, 0, PROOF_QUALITY, FF_DONTCARE, L"MS Shell Dlg");
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SIZE size{};
  const wchar_t alphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  GetTextExtentPointW(dc, alphabet, 52, &size);
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  return POINT{(size.cx / 26 + 1) / 2, metrics.tmHeight};
}

long ToUnits(long pixels, long base, long scale) {
  return (pixels * scale * 2 + base) / (2 * base);
}

void ListDialog(HANDLE out) {
  RECT client, window;
  GetClientRect(dialog, &client);
  GetWindowRect(dialog, &window);
  const POINT units = DialogBaseUnits();
  Write(out, L"dialog|" + Text(dialog) + L"|" + Numbers({client.right, client.bottom}) + L"|" +
                 Numbers({window.right - window.left, window.bottom - window.top}) + L"|" +
                 Numbers({units.x, units.y}) + L"|" +
                 std::to_wstring(GetWindowLongW(dialog, GWL_STYLE)) + L"|" +
                 std::to_wstring(GetWindowLongW(dialog, GWL_EXSTYLE)) + L"\n");
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    const long w = rect.right - rect.left, h = rect.bottom - rect.top;
    const bool icon = _wcsicmp(ClassName(child).c_str(), L"Static") == 0 &&
                      (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
    const std::wstring text =
        icon ? (ShowsErrorIcon(child) ? L"(error icon)" : L"(icon)") : Escaped(Text(child));
    Write(out, std::to_wstring(GetDlgCtrlID(child)) + L"|" + ClassName(child) + L"|" + text + L"|" +
                   Numbers({rect.left, rect.top, w, h}) + L"|" +
                   Numbers({ToUnits(rect.left, units.x, 4), ToUnits(rect.top, units.y, 8),
                            ToUnits(w, units.x, 4), ToUnits(h, units.y, 8)}) +
                   L"|" + (IsWindowEnabled(child) ? L"enabled" : L"disabled") + L"|" +
                   (IsWindowVisible(child) ? L"visible" : L"hidden") + L"\n");
  }
}

// The window that has the keyboard focus in the dialog's thread.
HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus != nullptr ? info.hwndFocus : window;
}

void PressKey(UINT key) {
  // The keys go to the dialog's focused control, which its thread knows only while the dialog
  // is active (another case's window may have taken the activation).
  if (GetForegroundWindow() != dialog) {
    SetForegroundWindow(dialog);
    SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 2000, nullptr);
    Sleep(300);
  }
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
  HWND focus = FocusOf(dialog);
  PostMessageW(focus, WM_KEYDOWN, key, 1 | scan);
  PostMessageW(focus, WM_KEYUP, key, 1 | scan | (3u << 30));
}

// The colour of the control's text: the commonest colour after the background.
std::wstring TextColour(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  HDC screen = GetDC(nullptr);
  std::vector<std::pair<COLORREF, int>> counts;
  for (long y = rect.top; y < rect.bottom; ++y) {
    for (long x = rect.left; x < rect.right; ++x) {
      const COLORREF pixel = GetPixel(screen, x, y);
      auto it = std::find_if(counts.begin(), counts.end(),
                             [pixel](const auto& count) { return count.first == pixel; });
      it == counts.end() ? counts.push_back({pixel, 1}) : void(++it->second);
    }
  }
  ReleaseDC(nullptr, screen);
  std::sort(counts.begin(), counts.end(),
            [](const auto& a, const auto& b) { return a.second > b.second; });
  if (counts.size() < 2) {
    return L"color|none";
  }
  const COLORREF text = counts[1].first;
  return L"color|" + Numbers({GetRValue(text), GetGValue(text), GetBValue(text)});
}

HWND owned;
BOOL CALLBACK FindOwned(HWND window, LPARAM) {
  if (GetWindow(window, GW_OWNER) == dialog && IsWindowVisible(window) &&
      ClassName(window) == L"#32770") {
    owned = window;
    return FALSE;
  }
  return TRUE;
}

HWND WaitForOwned() {
  owned = nullptr;
  for (int tries = 0; owned == nullptr && tries < 300; ++tries) {
    EnumWindows(FindOwned, 0);
    if (owned == nullptr) {
      Sleep(100);
    }
  }
  return owned;
}

std::wstring DescribeOwned(HWND window) {
  std::wstring texts;
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsWindowVisible(child) && _wcsicmp(ClassName(child).c_str(), L"Static") == 0 &&
        !Text(child).empty()) {
      texts += (texts.empty() ? L"" : L",") + Text(child);
    }
  }
  return L"owned|" + Text(window) + L"|" + texts + L"\n";
}

// The text of a tree item of another process, read through a TVITEMW placed in that process.
std::wstring TreeItemText(HWND tree, HANDLE process, BYTE* remote, HTREEITEM item) {
  TVITEMW query{};
  query.mask = TVIF_TEXT;
  query.hItem = item;
  query.pszText = reinterpret_cast<wchar_t*>(remote + sizeof query);
  query.cchTextMax = 260;
  wchar_t text[261] = {};
  WriteProcessMemory(process, remote, &query, sizeof query, nullptr);
  WriteProcessMemory(process, remote + sizeof query, text, sizeof text, nullptr);
  SendMessageTimeoutW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote), SMTO_NORMAL, 2000,
                      nullptr);
  ReadProcessMemory(process, remote + sizeof query, text, 260 * sizeof(wchar_t), nullptr);
  return text;
}

// The child of `parent` (expanded first) whose text equals `name` or, for a drive, holds "(C:)".
HTREEITEM TreeChild(HWND tree, HANDLE process, BYTE* remote, HTREEITEM parent,
                    const std::wstring& name) {
  SendMessageTimeoutW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent), SMTO_NORMAL,
                      5000, nullptr);
  for (auto item = reinterpret_cast<HTREEITEM>(
           SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(parent)));
       item != nullptr; item = reinterpret_cast<HTREEITEM>(SendMessageW(
                            tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
    const std::wstring text = TreeItemText(tree, process, remote, item);
    if (_wcsicmp(text.c_str(), name.c_str()) == 0 ||
        (name.size() == 2 && name[1] == L':' &&
         text.find(L"(" + name + L")") != std::wstring::npos)) {
      return item;
    }
  }
  return nullptr;
}

// Picks the folder in the shell's folder browser that the dialog owns and presses its OK:
// Desktop, My Computer, the drive, then each folder of the path. "browse|ok" or where it failed.
std::wstring Browse(const std::wstring& path) {
  HWND browser = WaitForOwned();
  HWND tree =
      browser != nullptr ? FindWindowExW(browser, nullptr, L"SysTreeView32", nullptr) : nullptr;
  if (tree == nullptr) {
    return L"browse|no browser\n";
  }
  DWORD id = 0;
  GetWindowThreadProcessId(tree, &id);
  HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
  auto* remote = static_cast<BYTE*>(
      VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  std::vector<std::wstring> names = {L"My Computer"};
  for (size_t start = 0; start <= path.size();) {
    const size_t end = std::min(path.find(L'\\', start), path.size());
    if (end > start) {
      names.push_back(path.substr(start, end - start));
    }
    start = end + 1;
  }
  std::wstring result = L"browse|ok";
  for (const std::wstring& name : names) {
    item = item != nullptr ? TreeChild(tree, process, remote, item, name) : nullptr;
    if (item == nullptr) {
      result = L"browse|not found: " + name;
      break;
    }
  }
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  if (item != nullptr) {
    SendMessageTimeoutW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item),
                        SMTO_NORMAL, 5000, nullptr);
    SendMessageTimeoutW(GetDlgItem(browser, IDOK), BM_CLICK, 0, 0, SMTO_NORMAL, 200, nullptr);
  } else {
    PostMessageW(browser, WM_COMMAND, IDCANCEL, 0);
  }
  for (int waited = 0; IsWindow(browser) && waited < 100; ++waited) {
    Sleep(100);
  }
  return result;
}

// The dialog as the screen shows it, frame included, as a 24-bit BMP file.
void Shoot(const std::wstring& path) {
  RECT rect;
  GetWindowRect(dialog, &rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  BitBlt(dc, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  const DWORD size = static_cast<DWORD>(((width * 3 + 3) & ~3) * height);
  BITMAPFILEHEADER header{
      0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size), 0, 0,
      sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, &header, sizeof header, &written, nullptr);
  WriteFile(file, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
  WriteFile(file, bits, size, &written, nullptr);
  CloseHandle(file);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

HWND tipOwner;
HWND tip;
BOOL CALLBACK FindTooltip(HWND window, LPARAM) {
  // A popup made with a child as its parent is owned by the child's top-level window.
  const HWND owner = GetWindow(window, GW_OWNER);
  if ((owner == tipOwner || owner == GetAncestor(tipOwner, GA_ROOT)) &&
      _wcsicmp(ClassName(window).c_str(), L"tooltips_class32") == 0) {
    tip = window;
    return FALSE;
  }
  return TRUE;
}

// "tooltip|tools|text|left,top,right,bottom" of the tooltip of the control (or of its dialog): the
// number of its tools, and the text and rectangle of the first, read through a record placed in the
// control's process.
std::wstring Tooltip(HWND control) {
  tipOwner = control;
  tip = nullptr;
  EnumWindows(FindTooltip, 0);
  if (tip == nullptr) {
    return L"tooltip|none";
  }
  DWORD id = 0;
  GetWindowThreadProcessId(tip, &id);
  HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
  auto* remote = static_cast<BYTE*>(
      VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.lpszText = reinterpret_cast<wchar_t*>(remote + sizeof tool);
  wchar_t text[512] = {};
  WriteProcessMemory(process, remote, &tool, sizeof tool, nullptr);
  WriteProcessMemory(process, remote + sizeof tool, text, sizeof text, nullptr);
  const LRESULT count = SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0);
  SendMessageW(tip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(remote));
  ReadProcessMemory(process, remote, &tool, sizeof tool, nullptr);
  ReadProcessMemory(process, remote + sizeof tool, text, sizeof text - sizeof(wchar_t), nullptr);
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return L"tooltip|" + std::to_wstring(count) + L"|" + text + L"|" +
         Numbers({tool.rect.left, tool.rect.top, tool.rect.right, tool.rect.bottom});
}

void Step(HANDLE out, const std::wstring& step) {
  const size_t colon = step.find(L':');
  const std::wstring name = step.substr(0, colon);
  const std::wstring argument = colon == std::wstring::npos ? L"" : step.substr(colon + 1);
  if (name == L"list") {
    ListDialog(out);
  } else if (name == L"click") {
    SendMessageTimeoutW(GetDlgItem(dialog, _wtoi(argument.c_str())), BM_CLICK, 0, 0, SMTO_NORMAL,
                        200, nullptr);
  } else if (name == L"key") {
    PressKey(static_cast<UINT>(_wtoi(argument.c_str())));
  } else if (name == L"close") {
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  } else if (name == L"size") {
    SetWindowPos(dialog, nullptr, 0, 0, _wtoi(argument.c_str()),
                 _wtoi(argument.substr(argument.find(L',') + 1).c_str()),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  } else if (name == L"max" || name == L"restore") {
    ShowWindowAsync(dialog, name == L"max" ? SW_MAXIMIZE : SW_RESTORE);
  } else if (name == L"color") {
    // In the top left corner, on top: away from the boxes of other cases, which open in the
    // middle of the screen. Read until two readings agree, as a window may pass over it.
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 2000, nullptr);
    HWND control = GetDlgItem(dialog, _wtoi(argument.c_str()));
    std::wstring last, colour;
    for (int tries = 0; tries < 20 && (colour.empty() || colour != last); ++tries) {
      Sleep(300);
      last = colour;
      colour = TextColour(control);
    }
    Write(out, colour + L"\n");
  } else if (name == L"link") {
    HWND control = GetDlgItem(dialog, _wtoi(argument.c_str()));
    const size_t second = argument.find(L':');
    RECT rect;
    GetClientRect(control, &rect);
    const LPARAM at = MAKELPARAM(
        second == std::wstring::npos ? 2 : _wtoi(argument.c_str() + second + 1), rect.bottom / 2);
    PostMessageW(control, WM_MOUSEMOVE, 0, at);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(control, WM_LBUTTONUP, 0, at);
  } else if (name == L"owned") {
    HWND window = WaitForOwned();
    Write(out, window != nullptr ? DescribeOwned(window) : std::wstring(L"owned|none\n"));
  } else if (name == L"browse") {
    Write(out, Browse(argument) + L"\n");
  } else if (name == L"ownedlist") {
    if (HWND window = WaitForOwned()) {
      std::swap(window, dialog);
      ListDialog(out);
      std::swap(window, dialog);
    }
  } else if (name == L"ownedclose") {
    if (HWND window = WaitForOwned()) {
      PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
      for (int waited = 0; IsWindow(window) && waited < 100; ++waited) {
        Sleep(100);
      }
    }
  } else if (name == L"tooltip") {
    Write(out, Tooltip(GetDlgItem(dialog, _wtoi(argument.c_str()))) + L"\n");
  } else if (name == L"shot") {
    Shoot(argument);
  } else if (name == L"sleep") {
    Sleep(static_cast<DWORD>(_wtoi(argument.c_str())));
  }
  // Lets the dialog's thread take in what was sent before the next step reads it.
  SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 2000, nullptr);
  Sleep(200);
}

int DriveDialog(int argc, wchar_t** argv) {
  if (argc < 4) {
    return 2;
  }
  prefix = argv[2];
  caption = argv[3];
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  dialog = nullptr;
  for (const ULONGLONG end = GetTickCount64() + 60000;
       dialog == nullptr && GetTickCount64() < end;) {
    EnumWindows(FindDialog, 0);
    if (dialog == nullptr) {
      Sleep(100);
    }
  }
  if (dialog == nullptr) {
    Write(out, L"no dialog\n");
    return 1;
  }
  Sleep(500); // painted
  for (int i = 4; i < argc; ++i) {
    if (!IsWindow(dialog)) {
      Write(out, L"gone\n");
      return 0;
    }
    Step(out, argv[i]);
  }
  for (int waited = 0; IsWindow(dialog) && waited < 20; ++waited) {
    Sleep(100);
  }
  if (!IsWindow(dialog)) {
    Write(out, L"gone\n");
  }
  return 0;
}

// Splash mode: the splash windows of the launcher seen so far.
bool splashMode = false;
bool closeSplash = false;
HWND splashWindows[16];
int splashCount = 0;

std::wstring Hex(ULONG_PTR value) {
  wchar_t text[32];
  swprintf(text, 32, L"%#llx", static_cast<unsigned long long>(value));
  return text;
}

BOOL CALLBACK FindSplash(HWND window, LPARAM) {
  if (!OfOurProcess(window) || !IsWindowVisible(window) ||
      ClassName(window) != L"SplashScreenWindow" || splashCount == 16) {
    return TRUE;
  }
  for (int i = 0; i < splashCount; ++i) {
    if (splashWindows[i] == window) {
      return TRUE;
    }
  }
  splashWindows[splashCount++] = window;
  RECT rect;
  GetWindowRect(window, &rect);
  Write(GetStdHandle(STD_OUTPUT_HANDLE),
        L"splash|" + Hex(GetClassLongPtrW(window, GCL_STYLE)) + L"|" +
            Hex(static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE))) + L"|" +
            Hex(static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE))) + L"|" +
            std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L"," +
            std::to_wstring(rect.right) + L"," + std::to_wstring(rect.bottom) + L"|" +
            std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L"x" +
            std::to_wstring(GetSystemMetrics(SM_CYSCREEN)) + L"\n");
  if (closeSplash) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    for (int waited = 0; IsWindow(window) && waited < 100; ++waited) {
      Sleep(50);
    }
  }
  const std::wstring seen = prefix.substr(0, prefix.size() - 1) + L".seen";
  CloseHandle(CreateFileW(seen.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  return TRUE;
}

void WatchSplashWindows() {
  EnumWindows(FindSplash, 0);
  for (int i = 0; i < splashCount; ++i) {
    if (splashWindows[i] != nullptr && !IsWindow(splashWindows[i])) {
      splashWindows[i] = nullptr;
      Write(GetStdHandle(STD_OUTPUT_HANDLE), L"gone\n");
    }
  }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
  wchar_t self[32768] = {};
  std::wstring folder(self, GetModuleFileNameW(nullptr, self, 32768));
  const std::wstring name = folder.substr(folder.rfind(L'\\') + 1);
  folder.resize(folder.size() - name.size());
  if (_wcsicmp(name.c_str(), L"ui_driver.exe") != 0) { // the paired program
    HANDLE report = CreateFileW((folder + L"paired.tmp").c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    Write(report, GetCommandLineW());
    CloseHandle(report);
    MoveFileExW((folder + L"paired.tmp").c_str(), (folder + L"paired.txt").c_str(),
                MOVEFILE_REPLACE_EXISTING);
    return _wtoi(_wgetenv(L"PAIRED_EXIT") != nullptr ? _wgetenv(L"PAIRED_EXIT") : L"0");
  }
  if (argc >= 2 && std::wstring(argv[1]) == L"--dialog") {
    return DriveDialog(argc, argv);
  }
  closeSplash = argc == 3 && wcscmp(argv[1], L"splash-close") == 0;
  splashMode = closeSplash || (argc == 3 && wcscmp(argv[1], L"splash") == 0);
  prefix = argc == 2 || splashMode ? argv[argc - 1] : L"?";
  for (const ULONGLONG end = GetTickCount64() + 600000; GetTickCount64() < end; Sleep(100)) {
    HWND button = box = nullptr;
    if (splashMode) {
      WatchSplashWindows();
    }
    EnumWindows(FindBox, 0);
    if (box != nullptr) {
      std::wstring line = Describe(button);
      if (splashMode) {
        const HWND owner = GetWindow(box, GW_OWNER);
        line.insert(line.size() - 1, L"|owner=" + (owner != nullptr ? ClassName(owner) : L""));
      }
      Write(GetStdHandle(STD_OUTPUT_HANDLE), line);
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
      for (int waited = 0; IsWindow(box) && waited < 100; ++waited) {
        Sleep(100);
      }
    }
  }
  return 0;
}
