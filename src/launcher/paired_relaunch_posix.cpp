#include "launcher/paired_relaunch.h"

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

#include "base/files.h"
#include "base/text.h"

extern char** environ;

namespace launcher {
namespace {

// The launcher's own arguments, byte for byte, empty ones included.
std::vector<std::string> OwnArgumentVector() {
  // /proc/self/cmdline has no size; the kernel caps it far below this.
  const std::string raw = ReadFileStart(L"/proc/self/cmdline", 16 * 1024 * 1024);
  std::vector<std::string> arguments;
  size_t start = 0;
  while (start < raw.size()) {
    size_t end = raw.find('\0', start);
    if (end == std::string::npos) {
      end = raw.size();
    }
    arguments.push_back(raw.substr(start, end - start));
    start = end + 1;
  }
  return arguments;
}

} // namespace

int RunPairedProduct(const std::wstring& pairProduct, bool pairReturnCode) {
  const std::string program = ToUtf8(pairProduct);
  std::vector<std::string> arguments = OwnArgumentVector();
  if (arguments.empty()) {
    arguments.push_back(program);
  }
  std::vector<char*> argv;
  for (std::string& argument : arguments) {
    argv.push_back(argument.data());
  }
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
  // Only the standard streams go to the child, as no handle is inherited on Windows.
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);
#endif
  pid_t child = 0;
  const int error = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (!pairReturnCode || error != 0) {
    return 0;
  }
  int status = 0;
  pid_t waited;
  do {
    waited = waitpid(child, &status, 0);
  } while (waited < 0 && errno == EINTR);
  if (waited != child) {
    return 0;
  }
  if (WIFEXITED(status)) {
    return WEXITSTATUS(status);
  }
  if (WIFSIGNALED(status)) {
    return 128 + WTERMSIG(status);
  }
  return 0;
}

} // namespace launcher
