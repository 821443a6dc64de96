// Any bytes as the data of a registry value: the text is the leading UTF-16 units before the
// first NUL, never more than the bytes hold.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "jvm/discovery/registry_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly `size` bytes, so that AddressSanitizer sees any read past the end.
  const std::vector<char> bytes(data, data + size);
  const std::u16string text =
      launcher::RegistryValueText(std::string_view(bytes.data(), bytes.size()));
  if (text.size() > size / 2 || text.find(u'\0') != std::u16string::npos) {
    abort();
  }
  const size_t units = text.size();
  if (units < size / 2 && (data[2 * units] | data[2 * units + 1]) != 0) {
    abort(); // it stopped before the first NUL
  }
  for (size_t i = 0; i < units; ++i) {
    if (text[i] != static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8))) {
      abort();
    }
  }
  return 0;
}
