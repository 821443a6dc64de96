#pragma once

// The rules of the splash screen that hold on every platform: its settings, which way shows
// it, where the runtime's own splash library lies, where the launcher's own window goes on the
// screen and with which class style, and the one-slot guard that closes the runtime's splash
// at most once.

#include <cstdint>
#include <string>

namespace launcher {

class IniFile;

// The [Display] settings, as written. They are read from the launcher settings file beside
// the executable only: the per-user settings file holds a chosen runtime, never the look of
// the application.
struct SplashSettings {
  std::wstring imagePath;            // "Splash Screen"; empty: no splash
  std::wstring shadow;               // "Splash Screen Shadow"
  bool preferRuntimeLibrary = false; // "Preffer Native Splash Screen" is "Yes", in any case
};
SplashSettings ReadSplashSettings(const IniFile& settingsFile);

// Only "true", exactly so, gives the launcher's own window a drop shadow.
bool WantsSplashShadow(const std::wstring& shadowValue);

// Which ways to try, in order: the runtime's splash library, then the launcher's own window.
struct SplashPlan {
  bool tryRuntimeLibrary = false;
  bool ownWindowOtherwise = false;
};
// No image, no splash. With a window of its own (Windows), the launcher asks the runtime's
// library only when the settings prefer it and it was found, and falls back to its window;
// without one (Linux), the runtime's library is the only way, whatever the preference.
SplashPlan PlanSplash(const SplashSettings& settings, bool runtimeLibraryFound, bool hasOwnWindow);

// The runtime's splash library beside the VM library's folder: the VM library's path cut
// twice at its last `separator` (bin\server\jvm.dll gives bin, lib/server/libjvm.so gives
// lib), a separator unless the rest already ends with "\" or "/", then `fileName`. Empty when
// the path has fewer than two separators to cut at.
std::wstring RuntimeSplashLibraryPath(const std::wstring& jvmLibraryPath, wchar_t separator,
                                      const std::wstring& fileName);

// The top-left corner that centres an image of width by height on a screen of screenWidth by
// screenHeight. The division truncates toward zero, so an image larger than the screen
// overhangs every edge equally, to a pixel.
struct ScreenPoint {
  int x = 0;
  int y = 0;
};
ScreenPoint CentredOrigin(int screenWidth, int screenHeight, int width, int height);

// The class styles of the launcher's own window: CS_DROPSHADOW | CS_SAVEBITS | CS_DBLCLKS,
// without the shadow when none is wanted.
constexpr uint32_t kClassStyleDropShadow = 0x20000;
constexpr uint32_t kSplashClassStyle = kClassStyleDropShadow | 0x800 | 0x8;
uint32_t SplashClassStyle(bool shadow);

// SplashClose of the runtime's splash library, once bound. Held in one slot: holding another
// function calls the one held before, and closing calls the held one and forgets it, so the
// library is told to close at most once.
using SplashCloseFunction = void (*)();
class SplashCloser {
public:
  SplashCloser() = default;
  ~SplashCloser() { Close(); }
  SplashCloser(const SplashCloser&) = delete;
  SplashCloser& operator=(const SplashCloser&) = delete;

  void Hold(SplashCloseFunction function);
  void Close();
  bool holds() const { return function_ != nullptr; }

private:
  SplashCloseFunction function_ = nullptr;
};

} // namespace launcher
