#pragma once

// The Java runtime's own splash library, which shows the image in a window of its own and
// lets the application close or update it through java.awt.SplashScreen. Its four entries,
// looked up by name, are called in this order: SplashInit(), SplashLoadFile(image),
// SplashSetFileJarName(image, "") and, at the end, SplashClose().
//
// Windows: bin\splashscreen.dll of the runtime, loaded with LoadLibraryW; the image path goes
// in the thread's ANSI code page, and the three calls are made before Show returns. The
// library stays loaded for the life of the process.
// Linux: lib/libsplashscreen.so of the runtime, which draws with X11. SplashClose is left to
// the application (java.awt.SplashScreen, or AWT when the first window shows) and to the end
// of the process, as the runtime's own launcher leaves it (runtime_splash_posix.cpp says why). It
// is loaded as the runtime's own launcher loads it, with RTLD_GLOBAL, so that AWT finds its
// SplashClose when the application's first window shows. Some runtimes' splash libraries link
// against the VM library, which the dynamic loader finds only once it is loaded: the VM library is
// loaded first, through the same checked loader that binds it later. Without a display (DISPLAY
// unset or empty) nothing is loaded at all. The image path goes in UTF-8. Loading the library
// and the three calls, which open the display and decode the image (tens of milliseconds),
// run on a thread of their own while the VM loads and starts; Show then returns true at once
// (Linux has no other way to fall back to), and AwaitShown waits for that thread, before main
// is called, so that the application finds the splash, and before SplashClose.

#include <memory>
#include <string>

#include "ui/splash_rules.h"

namespace launcher {

// The file name of the runtime's splash library.
extern const wchar_t kRuntimeSplashLibraryName[];

// Whether the launcher has a splash window of its own on this platform.
bool HasOwnSplashWindow();

class RuntimeSplash {
public:
  RuntimeSplash();
  ~RuntimeSplash(); // Close()
  RuntimeSplash(const RuntimeSplash&) = delete;
  RuntimeSplash& operator=(const RuntimeSplash&) = delete;

  // Loads the library at libraryPath and shows the image through it. SplashClose, when the
  // library has it, is held as soon as it is found, even when a required entry is missing.
  // False when the library cannot be loaded or lacks SplashInit, SplashLoadFile or
  // SplashSetFileJarName; nothing is reported.
  bool Show(const std::wstring& libraryPath, const std::wstring& jvmLibraryPath,
            const std::wstring& imagePath);
  // Returns once the library has been told what to show.
  void AwaitShown();
  // Tells the library to close its splash: at most once, and nothing when it was not used.
  // Linux: only waits for the calls (see above).
  void Close();

private:
  struct Calls; // what each platform keeps of the library's use
  std::unique_ptr<Calls> calls_;
};

} // namespace launcher
