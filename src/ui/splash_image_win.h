#pragma once

// The splash image, decoded with GDI+ and drawn once into a bitmap compatible with the
// screen, which every paint of the splash window then copies. Included only by *_win.cpp
// files.
//
// GDI+ is loaded through its flat interface on the first image, and started once for the
// process (any thread may be the first); a launch without the launcher's own splash window
// never loads it. It is left to the end of the process to shut down.

#include <string>

#include "base/windows_api.h"

namespace launcher {

struct SplashBitmap {
  HBITMAP bitmap = nullptr; // owned by the caller; null when the image could not be drawn
  int width = 0;            // 0 by 0 when the image is missing or cannot be decoded
  int height = 0;
};

// The image at `path`, as written (a relative path against the current folder).
SplashBitmap RenderSplashImage(const std::wstring& path);

} // namespace launcher
