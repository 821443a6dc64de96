#include "ui/splash_window.h"

#include "base/windows_api.h"
#include "ui/splash_image_win.h"
#include "ui/splash_rules.h"

namespace launcher {
namespace {

constexpr wchar_t kClassName[] = L"SplashScreenWindow";

// The window object: the rendered image, which every paint copies, and the window showing it.
class SplashScreenWindow {
public:
  SplashScreenWindow() = default;
  ~SplashScreenWindow() {
    if (bitmap_ != nullptr) {
      DeleteObject(bitmap_);
    }
  }
  SplashScreenWindow(const SplashScreenWindow&) = delete;
  SplashScreenWindow& operator=(const SplashScreenWindow&) = delete;

  // The window, not shown yet, centred on the primary screen at the image's size (no size for
  // an image that cannot be read); null when the class or the window cannot be made.
  HWND Create(const std::wstring& imagePath, bool shadow) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!Register(instance, SplashClassStyle(shadow))) {
      return nullptr;
    }
    const SplashBitmap image = RenderSplashImage(imagePath);
    bitmap_ = image.bitmap;
    // The screen in physical pixels: the executable declares itself DPI-aware.
    const ScreenPoint origin = CentredOrigin(
        GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), image.width, image.height);
    return CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, origin.x, origin.y,
                           image.width, image.height, nullptr, nullptr, instance, this);
  }

private:
  // Registered once per process; a class this process registered before is taken as it is.
  // A system that refuses the drop shadow gets the window without it.
  static bool Register(HINSTANCE instance, UINT style) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = kClassName;
    if (RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) {
      return true;
    }
    if ((windowClass.style & kClassStyleDropShadow) == 0) {
      return false;
    }
    windowClass.style &= ~kClassStyleDropShadow;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<SplashScreenWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_ERASEBKGND:
      return 1; // the image covers the whole window: never paint the background first
    case WM_PAINT:
      if (self != nullptr) {
        self->Paint(window);
        return 0;
      }
      break;
    default:
      break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  void Paint(HWND window) const {
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    HDC memory = CreateCompatibleDC(target);
    BITMAP size = {};
    if (bitmap_ == nullptr || GetObjectW(bitmap_, sizeof size, &size) == 0) {
      size.bmWidth = size.bmHeight = 0;
    }
    if (memory != nullptr) {
      HGDIOBJ previous = SelectObject(memory, bitmap_);
      BitBlt(target, 0, 0, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
      SelectObject(memory, previous);
      DeleteDC(memory);
    }
    EndPaint(window, &paint);
  }

  HBITMAP bitmap_ = nullptr;
};

} // namespace

// Everything the splash thread uses; deleted only after the thread has ended.
struct NativeSplash::Thread {
  std::wstring imagePath;
  bool shadow = false;
  SplashScreenWindow window;
  HWND handle = nullptr; // written by the splash thread before it sets `created`
  HANDLE created = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE thread = nullptr;
  DWORD threadId = 0;

  ~Thread() {
    if (thread != nullptr) {
      CloseHandle(thread);
    }
    if (created != nullptr) {
      CloseHandle(created);
    }
  }

  static DWORD WINAPI Run(LPVOID parameter) {
    Thread& self = *static_cast<Thread*>(parameter);
    HWND window = self.window.Create(self.imagePath, self.shadow);
    if (window != nullptr) {
      ShowWindow(window, SW_SHOWNORMAL);
      UpdateWindow(window);
    }
    self.handle = window;
    if (self.created != nullptr) {
      SetEvent(self.created);
    }
    // Until told to quit, even without a window; a window closed by someone else is gone,
    // and the thread still waits for its quit message.
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (window != nullptr && IsWindow(window)) {
      DestroyWindow(window);
    }
    return 0;
  }
};

NativeSplash::NativeSplash() = default;

NativeSplash::~NativeSplash() {
  Close();
}

void NativeSplash::Start(const std::wstring& imagePath, bool shadow) {
  if (thread_ != nullptr) {
    return;
  }
  thread_ = std::make_unique<Thread>();
  thread_->imagePath = imagePath;
  thread_->shadow = shadow;
  thread_->thread = CreateThread(nullptr, 0, Thread::Run, thread_.get(), 0, &thread_->threadId);
}

WindowHandle NativeSplash::AwaitWindow() {
  // Without the event there is nothing to wait for: the thread ends only when told to quit.
  if (thread_ == nullptr || thread_->thread == nullptr || thread_->created == nullptr) {
    return nullptr;
  }
  // The thread's end counts too: it cannot leave the event unset then.
  const HANDLE either[] = {thread_->created, thread_->thread};
  WaitForMultipleObjects(2, either, FALSE, INFINITE);
  return thread_->handle;
}

void NativeSplash::Close() {
  if (thread_ == nullptr) {
    return;
  }
  // The quit message is posted again until the thread has ended: one posted before the thread
  // has a message queue is lost. A thread that never started is not waited for.
  if (thread_->thread != nullptr) {
    for (;;) {
      PostThreadMessageW(thread_->threadId, WM_QUIT, 0, 0);
      DWORD exitCode = 0;
      if (!GetExitCodeThread(thread_->thread, &exitCode) || exitCode != STILL_ACTIVE) {
        break;
      }
      WaitForSingleObject(thread_->thread, 10); // rather than spin while it is busy
    }
  }
  thread_.reset();
}

} // namespace launcher
