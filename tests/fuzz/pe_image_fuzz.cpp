// Any bytes as a VM library file (image_input.h): the PE readers must stay inside the bytes
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
  const std::optional<uint16_t> machine = launcher::ReadPeMachine(start, count);
  if (launcher::IsX86PeImage(start, count) != (machine && *machine == launcher::kPeMachineX86)) {
    abort();
  }
  const launcher::ImageLayout layout =
      launcher::CheckPeLayout(image.declaredSize(), image.Reader());
  // A complete image has the headers that the architecture reader needs, wherever it reads
  // them from; with all of the file at hand it must find them too.
  if (layout == launcher::ImageLayout::kComplete && count == image.declaredSize() && !machine) {
    abort();
  }
  return 0;
}
