#include "ui/screen_pixel.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace launcher_test {

uint32_t CentrePixel(const std::string& display) {
  Display* connection = XOpenDisplay(display.c_str());
  if (connection == nullptr) {
    return 0xFFFFFFFF;
  }
  const int screen = DefaultScreen(connection);
  XImage* image =
      XGetImage(connection, RootWindow(connection, screen), DisplayWidth(connection, screen) / 2,
                DisplayHeight(connection, screen) / 2, 1, 1, AllPlanes, ZPixmap);
  uint32_t pixel = 0xFFFFFFFF;
  if (image != nullptr) {
    pixel = XGetPixel(image, 0, 0) & 0xFFFFFF; // TrueColor, 8 bits a channel: 0xRRGGBB
    XDestroyImage(image);
  }
  XCloseDisplay(connection);
  return pixel;
}

} // namespace launcher_test
