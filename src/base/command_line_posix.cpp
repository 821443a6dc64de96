#include "base/command_line.h"

#include "base/files.h"

namespace launcher {
namespace {

// Far above what the kernel lets a process be started with.
constexpr size_t kLargestArgumentBlock = 256 * 1024 * 1024;

} // namespace

void ParseCommandLine(std::vector<std::wstring>& arguments) {
  // The kernel keeps the argument vector exactly as exec received it, however long.
  const FileContents block = ReadRegularFile(L"/proc/self/cmdline", kLargestArgumentBlock);
  arguments = ArgumentsFromArgumentBlock(block.bytes);
}

} // namespace launcher
