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

#include "base/windows_api.h"

#include <cwchar>
#include <string>

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

BOOL CALLBACK FindBox(HWND window, LPARAM) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
  wchar_t path[32768] = {};
  DWORD length = 32768;
  if (handle != nullptr) {
    QueryFullProcessImageNameW(handle, 0, path, &length);
    CloseHandle(handle);
  }
  const bool found = _wcsnicmp(path, prefix.c_str(), prefix.size()) == 0 &&
                     IsWindowVisible(window) && ClassName(window) == L"#32770";
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
      button = button != nullptr ? button : child;
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
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
  wchar_t path[32768] = {};
  DWORD length = 32768;
  if (handle != nullptr) {
    QueryFullProcessImageNameW(handle, 0, path, &length);
    CloseHandle(handle);
  }
  if (_wcsnicmp(path, prefix.c_str(), prefix.size()) != 0 || !IsWindowVisible(window) ||
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
