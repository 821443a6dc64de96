// Reads arbitrary bytes as the argument area of a hand-over (what a second start wrote, or
// sent over the socket) and as the primary's reply, and checks that a list read from an area
// comes back unchanged through packing and reading.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "base/text.h"
#include "launcher/handover_area.h"
#include "launcher/single_instance_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  launcher::ArgumentArea area{};
  std::copy(data, data + std::min(size, area.size()), area.begin());
  const std::vector<std::wstring> arguments = launcher::ReadArguments(area);
  size_t units = 0;
  for (const std::wstring& argument : arguments) {
    units += launcher::ToUtf16(argument).size() + 1;
  }
  if (units > launcher::kArgumentScanUnits) {
    std::abort();
  }
  // Nothing packed reads as one empty argument.
  const std::vector<std::wstring> expected =
      arguments.empty() ? std::vector<std::wstring>{L""} : arguments;
  if (const auto packed = launcher::PackArguments(arguments)) {
    if (launcher::ReadArguments(launcher::AreaFromPacked(*packed)) != expected) {
      std::abort();
    }
  }
  launcher::DecodeReply(data, size);
  return 0;
}
