#pragma once

// The Java runtime's own splash library, which shows the image in a window of its own and
// lets the application close or update it through java.awt.SplashScreen. Its four entries,
// looked up by name, are called in this order: SplashInit(), SplashLoadFile(image),
// SplashSetFileJarName(image, "") and, at the end, SplashClose(). The first three are called
// before Show returns, on the calling thread, as the runtime's own launcher calls them: called
// from a thread of the launcher's own that ends afterwards, the library's thread crashed at the
// end of the process now and then (a SIGSEGV in pthread_mutex_lock, seen on Linux in about one
// start of a hundred), never when called so.
//
// Windows: bin\splashscreen.dll of the runtime, loaded with LoadLibraryW; the image path goes
// in the thread's ANSI code page. The library stays loaded for the life of the process.
// Linux: lib/libsplashscreen.so of the runtime, which draws with X11. It is loaded as the
// runtime's own launcher loads it, with RTLD_GLOBAL, so that AWT finds its SplashClose when
// the application's first window shows. Some runtimes' splash libraries link against the VM
// library, which the dynamic loader finds only once it is loaded: the VM library is loaded
// first, through the same checked loader that binds it later. Without a display (DISPLAY
// unset or empty) nothing is loaded at all. The image path goes in UTF-8.

#include <functional>
#include <string>

#include "ui/splash_rules.h"

namespace launcher {

// The file name of the runtime's splash library.
extern const wchar_t kRuntimeSplashLibraryName[];

// Whether the launcher has a splash window of its own on this platform.
bool HasOwnSplashWindow();

class RuntimeSplash {
public:
  // Loads the library at libraryPath and shows the image through it. SplashClose, when the
  // library has it, is held as soon as it is found, even when a required entry is missing.
  // False when the library cannot be loaded or lacks SplashInit, SplashLoadFile or
  // SplashSetFileJarName; nothing is reported.
  bool Show(const std::wstring& libraryPath, const std::wstring& jvmLibraryPath,
            const std::wstring& imagePath);
  // Tells the library to close its splash: at most once, and nothing when it was not used.
  void Close() { closer_.Close(); }

private:
  // The library's entries, found by name through `find`, called in their order with the image
  // path in the platform's narrow text. The rest of Show, after the library is loaded.
  bool CallEntries(const std::function<void*(const char* name)>& find, const std::string& image);

  SplashCloser closer_; // closes at the end, whoever forgot to
};

} // namespace launcher
