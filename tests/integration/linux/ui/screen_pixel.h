#pragma once

// What an X display shows, read apart from the tests: Xlib's names clash with GoogleTest's.

#include <cstdint>
#include <string>

namespace launcher_test {

// The colour at the centre of the display's first screen, as 0xRRGGBB; 0xFFFFFFFF when the
// display cannot be read.
uint32_t CentrePixel(const std::string& display);

} // namespace launcher_test
