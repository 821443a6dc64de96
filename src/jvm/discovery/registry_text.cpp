#include "jvm/discovery/registry_text.h"

namespace launcher {

std::u16string RegistryValueText(std::string_view bytes) {
  std::u16string text;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const char16_t unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                (static_cast<unsigned char>(bytes[i + 1]) << 8));
    if (unit == 0) {
      break;
    }
    text.push_back(unit);
  }
  return text;
}

} // namespace launcher
