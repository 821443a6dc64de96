// Any bytes as a VM library file (image_input.h): the ELF readers must stay inside the bytes
// and the file, and agree with each other.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "image_input.h"
#include "jvm/discovery/image_architecture.h"
#include "jvm/discovery/image_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const ImageInput image(data, size);
  const unsigned char* start = image.leadingData();
  const size_t count = image.leading().size();
  const std::optional<launcher::ElfImageKind> kind = launcher::ReadElfImageKind(start, count);
  const bool x86 = launcher::IsX86ElfImage(start, count);
  if (x86 != (kind && !kind->is64Bit && kind->machine == launcher::kElfMachineX86)) {
    abort();
  }
  if (launcher::Is64BitElfImageFor(start, count, launcher::kElfMachineX86_64) &&
      (!kind || !kind->is64Bit)) {
    abort();
  }
  const launcher::ImageLayout layout =
      launcher::CheckElfLayout(image.declaredSize(), image.Reader());
  // A complete image holds a whole file header, so the architecture reader knows it when it
  // has those bytes.
  if (layout == launcher::ImageLayout::kComplete && count >= launcher::kElfHeaderBytes && !kind) {
    abort();
  }
  return 0;
}
