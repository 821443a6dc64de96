#include "base/command_line.h"

#include <optional>

#include "base/files.h"

namespace launcher {

void ParseCommandLine(std::vector<std::wstring>& arguments) {
  // The kernel keeps the argument vector exactly as exec received it, however long.
  const std::optional<std::string> block = ReadWholeFile(L"/proc/self/cmdline");
  arguments = block ? ArgumentsFromArgumentBlock(*block) : std::vector<std::wstring>();
}

} // namespace launcher
