// Decodes arbitrary bytes as the VM's modified UTF-8 and checks that the units it yields come
// back unchanged through the encoder and the decoder.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "jvm/hosting/modified_utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::u16string units =
      launcher::DecodeModifiedUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  if (units.size() > size) {
    std::abort();
  }
  if (launcher::DecodeModifiedUtf8(launcher::EncodeModifiedUtf8(units)) != units) {
    std::abort();
  }
  launcher::WideFromModifiedUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
