// ui_driver.exe PREFIX: the tests' hand on the launcher's message boxes. Until it is ended (at
// the latest after ten minutes) it finds each dialog of a process whose image path starts with
// PREFIX, prints one line for it and presses its first button:
//
//   caption|icon|buttons|text      Error|error|OK|Main class was not specified in INI file.
//
// icon: error, warning, information or question, told by the pixels the box shows, "none"
// without an icon, "?" when no standard icon matches; buttons: their texts, "," between them;
// text: the static texts, a line feed written as \n.
//
// Copied under another name it plays a paired program: it writes its command line to
// paired.txt beside itself and ends with the code that PAIRED_EXIT names.

#include "base/windows_api.h"

#include <string>
#include <vector>

namespace {

std::wstring prefix;
HWND box;

std::wstring Text(HWND window) {
  std::vector<wchar_t> text(32768);
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 2000, &length);
  return std::wstring(text.data(), length);
}

std::wstring ClassName(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

void Write(HANDLE file, const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

BOOL CALLBACK FindBox(HWND window, LPARAM) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
  wchar_t path[32768] = {};
  DWORD length = 32768;
  const bool named = handle != nullptr && QueryFullProcessImageNameW(handle, 0, path, &length);
  if (handle != nullptr) {
    CloseHandle(handle);
  }
  if (named && _wcsnicmp(path, prefix.c_str(), prefix.size()) == 0 && IsWindowVisible(window) &&
      ClassName(window) == L"#32770") {
    box = window;
    return FALSE;
  }
  return TRUE;
}

// Which standard icon the static control shows: the one whose opaque pixels (those equal when
// drawn on black and on white) nearly all match the screen.
std::wstring IconName(HWND control) {
  const int size = GetSystemMetrics(SM_CXICON);
  RECT rect;
  GetWindowRect(control, &rect);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 3 * size, size);
  HGDIOBJ old = SelectObject(dc, bitmap);
  BitBlt(dc, 0, 0, size, size, screen, rect.left, rect.top, SRCCOPY);
  std::wstring name = L"?";
  const wchar_t* names[] = {L"error", L"warning", L"information", L"question"};
  const LPCWSTR icons[] = {IDI_ERROR, IDI_WARNING, IDI_INFORMATION, IDI_QUESTION};
  for (int i = 0; i < 4; ++i) {
    PatBlt(dc, size, 0, size, size, BLACKNESS);
    PatBlt(dc, 2 * size, 0, size, size, WHITENESS);
    DrawIconEx(dc, size, 0, LoadIconW(nullptr, icons[i]), size, size, 0, nullptr, DI_NORMAL);
    DrawIconEx(dc, 2 * size, 0, LoadIconW(nullptr, icons[i]), size, size, 0, nullptr, DI_NORMAL);
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
    if (opaque > 0 && same * 20 >= opaque * 19) {
      name = names[i];
    }
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return name;
}

// The box's line, and its first button.
std::wstring Describe(HWND window, HWND& button) {
  std::wstring icon = L"none", buttons, texts;
  button = nullptr;
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const std::wstring name = ClassName(child), text = Text(child);
    if (!IsWindowVisible(child)) {
    } else if (_wcsicmp(name.c_str(), L"Button") == 0) {
      button = button != nullptr ? button : child;
      buttons += (buttons.empty() ? L"" : L",") + text;
    } else if (_wcsicmp(name.c_str(), L"Static") == 0 &&
               (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      icon = IconName(child);
      for (int tries = 0; icon == L"?" && tries < 50; ++tries) {
        Sleep(100); // not painted yet, or covered for a moment
        icon = IconName(child);
      }
    } else if (_wcsicmp(name.c_str(), L"Static") == 0 && !text.empty()) {
      texts += text;
    }
  }
  std::wstring line = Text(window) + L"|" + icon + L"|" + buttons + L"|";
  for (wchar_t c : texts) {
    line += c == L'\n' ? L"\\n" : c == L'\r' ? L"\\r" : std::wstring(1, c);
  }
  return line + L"\n";
}

int PlayPairedProgram(std::wstring folder) {
  folder.resize(folder.rfind(L'\\') + 1);
  HANDLE report = CreateFileW((folder + L"paired.tmp").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  Write(report, GetCommandLineW());
  CloseHandle(report);
  MoveFileExW((folder + L"paired.tmp").c_str(), (folder + L"paired.txt").c_str(),
              MOVEFILE_REPLACE_EXISTING);
  const wchar_t* code = _wgetenv(L"PAIRED_EXIT");
  return code != nullptr ? _wtoi(code) : 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
  wchar_t self[32768] = {};
  GetModuleFileNameW(nullptr, self, 32768);
  const std::wstring path = self;
  if (_wcsicmp(path.substr(path.rfind(L'\\') + 1).c_str(), L"ui_driver.exe") != 0) {
    return PlayPairedProgram(path);
  }
  if (argc != 2) {
    return 1;
  }
  prefix = argv[1];
  for (const ULONGLONG end = GetTickCount64() + 600000; GetTickCount64() < end; Sleep(100)) {
    box = nullptr;
    EnumWindows(FindBox, 0);
    if (box == nullptr) {
      continue;
    }
    HWND button = nullptr;
    Write(GetStdHandle(STD_OUTPUT_HANDLE), Describe(box, button));
    if (button != nullptr) {
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
    }
    for (int waited = 0; IsWindow(box) && waited < 100; ++waited) {
      Sleep(100);
    }
  }
  return 0;
}
