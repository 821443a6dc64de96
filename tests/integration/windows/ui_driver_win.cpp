// ui_driver: the tests' hand on the launcher's windows under Wine.
//
// Waits, with a bound, for a top-level dialog (a message box is one) that belongs to a given
// process, or to any process, prints what it shows, optionally presses one of its buttons,
// and exits:
//
//   ui_driver.exe [--process NAME] [--title TEXT] [--class NAME] [--timeout SECONDS]
//                 [--press ID|TEXT]
//
//   --process  image file name of the owning process (myapp.exe), ASCII case ignored
//   --title    only a window with exactly this caption
//   --class    window class, "#32770" (dialogs and message boxes) by default
//   --timeout  how long to wait for the window, 30 seconds by default
//   --press    the button to press: its control id, or its text without "&" (case ignored)
//
// Output, one item a line, UTF-8, with \n, \r, \t and \\ escaped so that every item is one
// line:
//
//   process: myapp.exe
//   caption: Error
//   text: Main class was not specified in INI file.
//   control: 2 Button OK
//   pressed: 2
//   closed: yes
//
// "text:" lines are the visible static texts in the order of the dialog's children;
// "control:" lines list every visible child: its id, its class and its text.
//
// Exit codes: 0 found (and pressed, when asked), 1 bad usage, 2 no such window within the
// bound, 3 no such button, 4 the window was still open a while after the press.

#include "base/windows_api.h"

// After <windows.h>, whose types it uses.
#include <tlhelp32.h>

#include <string>
#include <vector>

#include "base/scoped_handle_win.h"

namespace {

constexpr int kExitFound = 0;
constexpr int kExitUsage = 1;
constexpr int kExitNoWindow = 2;
constexpr int kExitNoButton = 3;
constexpr int kExitStillOpen = 4;
constexpr DWORD kPollMilliseconds = 100;
constexpr ULONGLONG kCloseWaitMilliseconds = 10000;

struct Options {
  std::wstring processName;
  std::wstring title;
  bool hasTitle = false;
  std::wstring windowClass = L"#32770";
  ULONGLONG timeoutMilliseconds = 30000;
  std::wstring press;
};

struct Control {
  HWND window;
  int id;
  std::wstring windowClass;
  std::wstring text;
};

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) {
    return {};
  }
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::wstring Escaped(const std::wstring& text) {
  std::wstring out;
  for (wchar_t c : text) {
    switch (c) {
    case L'\n':
      out += L"\\n";
      break;
    case L'\r':
      out += L"\\r";
      break;
    case L'\t':
      out += L"\\t";
      break;
    case L'\\':
      out += L"\\\\";
      break;
    default:
      out += c;
    }
  }
  return out;
}

// Writes straight to the standard output handle: under Wine that is the Unix descriptor the
// test script reads, and the bytes arrive as they are, whatever the console code page.
void PrintLine(const std::wstring& label, const std::wstring& value) {
  const std::string line = ToUtf8(label + L": " + Escaped(value)) + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written,
            nullptr);
}

void PrintError(const std::wstring& text) {
  const std::string line = "ui_driver: " + ToUtf8(text) + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written,
            nullptr);
}

bool SameIgnoringAsciiCase(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    wchar_t x = a[i];
    wchar_t y = b[i];
    if (x >= L'A' && x <= L'Z') {
      x = static_cast<wchar_t>(x - L'A' + L'a');
    }
    if (y >= L'A' && y <= L'Z') {
      y = static_cast<wchar_t>(y - L'A' + L'a');
    }
    if (x != y) {
      return false;
    }
  }
  return true;
}

std::wstring WindowText(HWND window) {
  // WM_GETTEXT through SendMessageTimeout: a hung owner must not hang the driver.
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) {
    return {};
  }
  std::vector<wchar_t> buffer(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(),
                           reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG, 2000,
                           &copied)) {
    return {};
  }
  return std::wstring(buffer.data(), copied);
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

std::wstring ProcessImageName(DWORD processId) {
  launcher::ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot.valid()) {
    return {};
  }
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    if (entry.th32ProcessID == processId) {
      std::wstring name = entry.szExeFile;
      const size_t slash = name.find_last_of(L"\\/");
      return slash == std::wstring::npos ? name : name.substr(slash + 1);
    }
  }
  return {};
}

struct Search {
  const Options* options;
  HWND found;
};

BOOL CALLBACK ConsiderWindow(HWND window, LPARAM context) {
  Search* search = reinterpret_cast<Search*>(context);
  if (!IsWindowVisible(window) || ClassOf(window) != search->options->windowClass) {
    return TRUE;
  }
  if (search->options->hasTitle && WindowText(window) != search->options->title) {
    return TRUE;
  }
  if (!search->options->processName.empty()) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (!SameIgnoringAsciiCase(ProcessImageName(processId), search->options->processName)) {
      return TRUE;
    }
  }
  search->found = window;
  return FALSE;
}

HWND WaitForWindow(const Options& options) {
  const ULONGLONG deadline = GetTickCount64() + options.timeoutMilliseconds;
  for (;;) {
    Search search{&options, nullptr};
    EnumWindows(ConsiderWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) {
      return search.found;
    }
    if (GetTickCount64() >= deadline) {
      return nullptr;
    }
    Sleep(kPollMilliseconds);
  }
}

BOOL CALLBACK CollectChild(HWND child, LPARAM context) {
  auto* controls = reinterpret_cast<std::vector<Control>*>(context);
  if (IsWindowVisible(child)) {
    controls->push_back(Control{child, GetDlgCtrlID(child), ClassOf(child), WindowText(child)});
  }
  return TRUE;
}

std::wstring WithoutAccelerators(const std::wstring& text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && i + 1 < text.size()) {
      ++i; // "&&" is a literal "&"; "&x" underlines x
    }
    out += text[i];
  }
  return out;
}

bool IsNumber(const std::wstring& text) {
  if (text.empty()) {
    return false;
  }
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') {
      return false;
    }
  }
  return true;
}

const Control* FindButton(const std::vector<Control>& controls, const std::wstring& press) {
  for (const Control& control : controls) {
    if (!SameIgnoringAsciiCase(control.windowClass, L"Button")) {
      continue;
    }
    if (IsNumber(press) ? control.id == _wtoi(press.c_str())
                        : SameIgnoringAsciiCase(WithoutAccelerators(control.text), press)) {
      return &control;
    }
  }
  return nullptr;
}

bool WaitUntilClosed(HWND window) {
  const ULONGLONG deadline = GetTickCount64() + kCloseWaitMilliseconds;
  while (IsWindow(window) && IsWindowVisible(window)) {
    if (GetTickCount64() >= deadline) {
      return false;
    }
    Sleep(kPollMilliseconds);
  }
  return true;
}

bool ParseOptions(int argc, wchar_t** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::wstring name = argv[i];
    if (i + 1 >= argc) {
      PrintError(L"missing value after " + name);
      return false;
    }
    const std::wstring value = argv[++i];
    if (name == L"--process") {
      options.processName = value;
    } else if (name == L"--title") {
      options.title = value;
      options.hasTitle = true;
    } else if (name == L"--class") {
      options.windowClass = value;
    } else if (name == L"--timeout" && IsNumber(value)) {
      options.timeoutMilliseconds = static_cast<ULONGLONG>(_wtoi(value.c_str())) * 1000;
    } else if (name == L"--press") {
      options.press = value;
    } else {
      PrintError(L"unknown option " + name + L" " + value);
      return false;
    }
  }
  return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    PrintError(L"usage: ui_driver.exe [--process NAME] [--title TEXT] [--class NAME] "
               L"[--timeout SECONDS] [--press ID|TEXT]");
    return kExitUsage;
  }

  const HWND window = WaitForWindow(options);
  if (window == nullptr) {
    PrintError(L"no window of class " + options.windowClass +
               (options.processName.empty() ? L"" : L" of " + options.processName) +
               L" appeared within the bound");
    return kExitNoWindow;
  }

  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  PrintLine(L"process", ProcessImageName(processId));
  PrintLine(L"caption", WindowText(window));

  std::vector<Control> controls;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&controls));
  for (const Control& control : controls) {
    const bool isIcon = (GetWindowLongW(control.window, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
    if (SameIgnoringAsciiCase(control.windowClass, L"Static") && !isIcon && !control.text.empty()) {
      PrintLine(L"text", control.text);
    }
  }
  for (const Control& control : controls) {
    PrintLine(L"control",
              std::to_wstring(control.id) + L" " + control.windowClass + L" " + control.text);
  }

  if (options.press.empty()) {
    return kExitFound;
  }
  const Control* button = FindButton(controls, options.press);
  if (button == nullptr) {
    PrintError(L"no button " + options.press);
    return kExitNoButton;
  }
  // The same notification a click sends; it does not depend on focus or on the pointer.
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(button->id, BN_CLICKED),
               reinterpret_cast<LPARAM>(button->window));
  PrintLine(L"pressed", std::to_wstring(button->id));
  const bool closed = WaitUntilClosed(window);
  PrintLine(L"closed", closed ? L"yes" : L"no");
  return closed ? kExitFound : kExitStillOpen;
}
