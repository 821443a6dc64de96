#include "ui/splash_window.h"

namespace launcher {

// No window system of the launcher's own on Linux: the runtime's splash library shows the
// splash there, whatever the settings prefer.
struct NativeSplash::Thread {};

NativeSplash::NativeSplash() = default;

NativeSplash::~NativeSplash() = default;

void NativeSplash::Start(const std::wstring&, bool) {}

WindowHandle NativeSplash::AwaitWindow() {
  return nullptr;
}

void NativeSplash::Close() {}

} // namespace launcher
