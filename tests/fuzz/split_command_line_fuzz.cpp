// Splits arbitrary text by the launcher's command-line rule and checks what the rule promises:
// every piece is a run of the text, no piece outside quotes holds a blank, and the pieces never
// add up to more text than there was.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/command_line.h"
#include "base/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring text =
      launcher::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  std::vector<std::wstring> pieces;
  launcher::SplitCommandLine(text, pieces);
  size_t total = 0;
  for (const std::wstring& piece : pieces) {
    total += piece.size();
    if (text.find(piece) == std::wstring::npos) {
      std::abort();
    }
  }
  if (total > text.size() || pieces.size() > text.size()) {
    std::abort();
  }
  if (text.find(L'"') == std::wstring::npos) {
    for (const std::wstring& piece : pieces) {
      if (piece.find(L' ') != std::wstring::npos) {
        std::abort();
      }
    }
  }
  launcher::ArgumentsFromCommandLine(text);
  launcher::ArgumentsFromArgumentBlock(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
