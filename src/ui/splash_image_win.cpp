#include "ui/splash_image_win.h"

#include <cstdint>

namespace launcher {
namespace {

// The flat interface of GDI+, as gdiplus.dll exports it: statuses are 0 for Ok, enumerations
// are passed as int.
struct GpImage;
struct GpGraphics;
struct GpImageAttributes;
using GpStatus = int;
constexpr GpStatus kOk = 0;
constexpr int kInterpolationHighQualityBicubic = 7;
constexpr int kWrapModeTileFlipXY = 3;
constexpr int kUnitPixel = 2;
constexpr uint32_t kOpaqueBlack = 0xFF000000;

struct StartupInput {
  UINT32 GdiplusVersion = 1;
  void* DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = FALSE;
  BOOL SuppressExternalCodecs = FALSE;
};

struct Gdiplus {
  GpStatus(WINAPI* GdiplusStartup)(ULONG_PTR*, const StartupInput*, void*) = nullptr;
  GpStatus(WINAPI* GdipCreateBitmapFromFile)(const WCHAR*, GpImage**) = nullptr;
  GpStatus(WINAPI* GdipGetImageWidth)(GpImage*, UINT*) = nullptr;
  GpStatus(WINAPI* GdipGetImageHeight)(GpImage*, UINT*) = nullptr;
  GpStatus(WINAPI* GdipDisposeImage)(GpImage*) = nullptr;
  GpStatus(WINAPI* GdipCreateFromHDC)(HDC, GpGraphics**) = nullptr;
  GpStatus(WINAPI* GdipDeleteGraphics)(GpGraphics*) = nullptr;
  GpStatus(WINAPI* GdipSetInterpolationMode)(GpGraphics*, int) = nullptr;
  GpStatus(WINAPI* GdipCreateImageAttributes)(GpImageAttributes**) = nullptr;
  GpStatus(WINAPI* GdipDisposeImageAttributes)(GpImageAttributes*) = nullptr;
  GpStatus(WINAPI* GdipSetImageAttributesWrapMode)(GpImageAttributes*, int, uint32_t,
                                                   BOOL) = nullptr;
  GpStatus(WINAPI* GdipDrawImageRectRectI)(GpGraphics*, GpImage*, INT, INT, INT, INT, INT, INT, INT,
                                           INT, int, const GpImageAttributes*, void*,
                                           void*) = nullptr;
  bool started = false;
};

template <typename Function> bool Bind(HMODULE library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
  return function != nullptr;
}

Gdiplus Load() {
  Gdiplus g;
  HMODULE library = LoadLibraryW(L"gdiplus.dll");
  if (library == nullptr) {
    return g;
  }
  const bool bound =
      Bind(library, "GdiplusStartup", g.GdiplusStartup) &&
      Bind(library, "GdipCreateBitmapFromFile", g.GdipCreateBitmapFromFile) &&
      Bind(library, "GdipGetImageWidth", g.GdipGetImageWidth) &&
      Bind(library, "GdipGetImageHeight", g.GdipGetImageHeight) &&
      Bind(library, "GdipDisposeImage", g.GdipDisposeImage) &&
      Bind(library, "GdipCreateFromHDC", g.GdipCreateFromHDC) &&
      Bind(library, "GdipDeleteGraphics", g.GdipDeleteGraphics) &&
      Bind(library, "GdipSetInterpolationMode", g.GdipSetInterpolationMode) &&
      Bind(library, "GdipCreateImageAttributes", g.GdipCreateImageAttributes) &&
      Bind(library, "GdipDisposeImageAttributes", g.GdipDisposeImageAttributes) &&
      Bind(library, "GdipSetImageAttributesWrapMode", g.GdipSetImageAttributesWrapMode) &&
      Bind(library, "GdipDrawImageRectRectI", g.GdipDrawImageRectRectI);
  ULONG_PTR token = 0;
  const StartupInput input;
  g.started = bound && g.GdiplusStartup(&token, &input, nullptr) == kOk;
  return g;
}

// Loaded and started by the first caller, whatever its thread (a function-local static is
// initialised once).
const Gdiplus& TheGdiplus() {
  static const Gdiplus gdiplus = Load();
  return gdiplus;
}

// Draws the whole image into a new bitmap of its size, compatible with the screen. The bitmap
// is not cleared first: the image covers it, and the window is opaque and rectangular.
HBITMAP Draw(const Gdiplus& g, GpImage* image, int width, int height) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HDC memory = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  if (bitmap == nullptr || memory == nullptr) {
    if (memory != nullptr) {
      DeleteDC(memory);
    }
    return bitmap;
  }
  HGDIOBJ previous = SelectObject(memory, bitmap);
  GpGraphics* graphics = nullptr;
  if (g.GdipCreateFromHDC(memory, &graphics) == kOk) {
    g.GdipSetInterpolationMode(graphics, kInterpolationHighQualityBicubic);
    GpImageAttributes* attributes = nullptr;
    if (g.GdipCreateImageAttributes(&attributes) == kOk) {
      g.GdipSetImageAttributesWrapMode(attributes, kWrapModeTileFlipXY, kOpaqueBlack, FALSE);
    }
    g.GdipDrawImageRectRectI(graphics, image, 0, 0, width, height, 0, 0, width, height, kUnitPixel,
                             attributes, nullptr, nullptr);
    if (attributes != nullptr) {
      g.GdipDisposeImageAttributes(attributes);
    }
    g.GdipDeleteGraphics(graphics);
  }
  SelectObject(memory, previous);
  DeleteDC(memory);
  return bitmap;
}

} // namespace

SplashBitmap RenderSplashImage(const std::wstring& path) {
  SplashBitmap result;
  const Gdiplus& g = TheGdiplus();
  if (!g.started) {
    return result;
  }
  GpImage* image = nullptr;
  if (g.GdipCreateBitmapFromFile(path.c_str(), &image) != kOk || image == nullptr) {
    return result;
  }
  UINT width = 0, height = 0;
  if (g.GdipGetImageWidth(image, &width) == kOk && g.GdipGetImageHeight(image, &height) == kOk &&
      width > 0 && height > 0 && width <= 0x7fff && height <= 0x7fff) {
    result.width = static_cast<int>(width);
    result.height = static_cast<int>(height);
    result.bitmap = Draw(g, image, result.width, result.height);
  }
  g.GdipDisposeImage(image);
  return result;
}

} // namespace launcher
