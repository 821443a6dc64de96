// Any UTF-16 text as an "Anchor Color" registry value: a colour only for text of at most 11
// units with two commas and something after the second.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ui/anchor_color.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string text;
  for (size_t i = 0; i + 1 < size; i += 2) {
    text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  }
  const std::optional<launcher::LinkColor> color = launcher::ParseAnchorColor(text);
  const size_t first = text.find(u',');
  const size_t second = first == std::u16string::npos ? first : text.find(u',', first + 1);
  const bool wellFormed = text.size() <= launcher::kAnchorColorMaxLength &&
                          second != std::u16string::npos && second + 1 < text.size();
  if (color.has_value() != wellFormed) {
    abort();
  }
  return 0;
}
