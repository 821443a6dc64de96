// Runs arbitrary "Virtual Machine Parameters" values through the parameter pipeline (splitting,
// unquoting, percentage sizes, "-Xss") and checks what the rules promise: every piece is a run
// of the value without blanks at its ends outside quotes, unquoting never adds text, and no
// size wraps around (the sanitizers catch an out-of-range conversion of the double product).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/text.h"
#include "jvm/hosting/memory_sizing.h"
#include "jvm/hosting/vm_parameters.h"

namespace {

// The first sixteen bytes, when there are that many, choose the two memory figures.
launcher::MemoryFigures FiguresFrom(std::string_view& bytes) {
  launcher::MemoryFigures figures{uint64_t{16} << 30, uint64_t{128} << 40};
  if (bytes.size() >= 16) {
    figures.totalPhysical = 0;
    figures.availableVirtual = 0;
    for (int i = 0; i < 8; ++i) {
      figures.totalPhysical = (figures.totalPhysical << 8) | static_cast<unsigned char>(bytes[i]);
      figures.availableVirtual =
          (figures.availableVirtual << 8) | static_cast<unsigned char>(bytes[8 + i]);
    }
    bytes.remove_prefix(16);
  }
  return figures;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const launcher::MemoryFigures figures = FiguresFrom(bytes);
  const std::wstring value = launcher::FromUtf8(bytes);

  for (size_t start = 0; start <= value.size(); start += 1 + value.size() / 8) {
    const size_t end = launcher::FindParameterEnd(value, start);
    if (end < start || end > value.size()) {
      std::abort();
    }
  }

  const std::vector<std::wstring> pieces = launcher::SplitParameterText(value);
  for (const std::wstring& piece : pieces) {
    if (piece.empty() || piece.front() == L' ' || value.find(piece) == std::wstring::npos) {
      std::abort();
    }
    if (launcher::StripQuotes(piece).size() > piece.size()) {
      std::abort();
    }
  }
  if (value.find(L'"') == std::wstring::npos) {
    for (const std::wstring& piece : pieces) {
      if (piece.find(L' ') != std::wstring::npos) {
        std::abort();
      }
    }
  }

  std::vector<std::wstring> workList;
  uint64_t threadStackSize = 0;
  launcher::SplitVmParameters(value, workList, threadStackSize, [&figures] { return figures; });
  if (workList.size() != pieces.size()) {
    std::abort();
  }
  for (const std::wstring& option : workList) {
    if (launcher::StartsWith(option, L"-Xss")) {
      launcher::ParseStackSize(std::wstring_view(option).substr(4));
    }
  }
  return 0;
}
