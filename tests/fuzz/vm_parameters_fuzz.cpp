// Runs arbitrary "Virtual Machine Parameters" values through the parameter pipeline (splitting,
// unquoting, percentage sizes, "-Xss", short names for lost paths) and checks what the rules
// promise: every piece is a run of the value without blanks at its ends outside quotes,
// unquoting never adds text, no size wraps around (the sanitizers catch an out-of-range
// conversion of the double product), and short names change nothing up to the first "=" and
// nothing at all in an option that survives the code page (ASCII here).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "base/text.h"
#include "jvm/hosting/memory_sizing.h"
#include "jvm/hosting/vm_option_paths.h"
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

bool Ascii(std::wstring_view text) {
  return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= 0 && c < 0x80; });
}

// Every other path has a short name, of its length.
std::optional<std::wstring> ShortName(const std::wstring& path) {
  return path.size() % 2 == 0 ? std::nullopt : std::optional(std::wstring(path.size(), L'~'));
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
    const std::wstring named = launcher::WithShortNamesForLostPaths(option, Ascii, ShortName, L';');
    const size_t kept = std::min(option.find(L'='), option.size());
    if (named.compare(0, kept + 1, option, 0, kept + 1) != 0 ||
        (Ascii(option) && named != option)) {
      std::abort();
    }
  }
  return 0;
}
