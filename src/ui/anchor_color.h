#pragma once

// The link colours a user may have set for web pages: "Anchor Color" and "Anchor Color
// Visited" under HKEY_CURRENT_USER\Software\Microsoft\Internet Explorer\Settings, each the text
// "r,g,b" in decimal. The download link of the "JRE Not Found" dialog follows them, so that it
// looks like the links the user knows.

#include <cstdint>
#include <optional>
#include <string_view>

namespace launcher {

struct LinkColor {
  uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const LinkColor& other) const {
    return red == other.red && green == other.green && blue == other.blue;
  }
};

constexpr LinkColor kDefaultLinkColor{0, 0, 255};
constexpr LinkColor kDefaultVisitedLinkColor{128, 0, 128};

// The value is read into a buffer of 12 UTF-16 units with its terminator, so a longer text is
// not used: "255,255,255" is the longest colour there is.
constexpr size_t kAnchorColorMaxLength = 11;

// The colour an "Anchor Color" text names, or nothing when it is not one: longer than
// kAnchorColorMaxLength, fewer than two commas, or nothing after the second. The parts before
// the first comma, between the first two and after the second are each read as a decimal
// number the way the C library's atoi does (leading blanks, a sign, digits up to the first
// other character, 0 for none); each colour component is the low byte of its number.
std::optional<LinkColor> ParseAnchorColor(std::u16string_view text);

} // namespace launcher
