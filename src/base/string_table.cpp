#include "base/string_table.h"

namespace launcher {

std::u16string StringFromTableBlock(const uint16_t* block, size_t units, int index) {
  size_t position = 0;
  for (int i = 0; i < index; ++i) {
    if (position >= units) {
      return std::u16string();
    }
    position += 1 + block[position];
  }
  if (position >= units) {
    return std::u16string();
  }
  const size_t length = block[position];
  if (length == 0 || length > units - position - 1) {
    return std::u16string();
  }
  return std::u16string(reinterpret_cast<const char16_t*>(block + position + 1), length);
}

} // namespace launcher
