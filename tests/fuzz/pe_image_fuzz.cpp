// Any bytes as a VM library file: the PE reader must stay inside them and agree with itself.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "jvm/discovery/image_architecture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly `size` bytes, so that AddressSanitizer sees any read past the end.
  std::vector<unsigned char> bytes(data, data + size);
  const unsigned char* start = bytes.empty() ? nullptr : bytes.data();
  const std::optional<uint16_t> machine = launcher::ReadPeMachine(start, bytes.size());
  if (launcher::IsX86PeImage(start, bytes.size()) !=
      (machine && *machine == launcher::kPeMachineX86)) {
    abort();
  }
  return 0;
}
