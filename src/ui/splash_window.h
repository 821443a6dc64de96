#pragma once

// The launcher's own splash window, on a thread of its own that creates it, shows it, pumps
// its messages and destroys it when told to quit.
//
// Windows: a borderless popup tool window of class "SplashScreenWindow", centred on the
// primary screen, that shows the image at its pixel size (decoded once with GDI+, which is
// loaded on first use); an image that cannot be read gives a window of no size. Linux: the
// launcher has no window system of its own; Start starts nothing.

#include <memory>
#include <string>

#include "base/error_message.h"

namespace launcher {

class NativeSplash {
public:
  NativeSplash();
  ~NativeSplash();
  NativeSplash(const NativeSplash&) = delete;
  NativeSplash& operator=(const NativeSplash&) = delete;

  // Starts the splash thread. A thread that cannot be created is not waited for later.
  void Start(const std::wstring& imagePath, bool shadow);
  // Waits until the splash thread has created its window, or failed to, and returns it; null
  // when there is none.
  WindowHandle AwaitWindow();
  // Tells the splash thread to quit until it has ended, then forgets the window. Nothing when
  // no splash was started.
  void Close();

private:
  struct Thread;
  std::unique_ptr<Thread> thread_;
};

} // namespace launcher
