// Any bytes as the start of a VM library file: the ELF reader must stay inside them and
// agree with itself.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "jvm/discovery/image_architecture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<unsigned char> bytes(data, data + size);
  const unsigned char* start = bytes.empty() ? nullptr : bytes.data();
  const std::optional<launcher::ElfImageKind> kind =
      launcher::ReadElfImageKind(start, bytes.size());
  const bool x86 = launcher::IsX86ElfImage(start, bytes.size());
  if (x86 != (kind && !kind->is64Bit && kind->machine == launcher::kElfMachineX86)) {
    abort();
  }
  if (launcher::Is64BitElfImageFor(start, bytes.size(), launcher::kElfMachineX86_64) &&
      (!kind || !kind->is64Bit)) {
    abort();
  }
  return 0;
}
