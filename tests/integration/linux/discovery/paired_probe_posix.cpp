// The paired program of the tests: writes the argument vector it was started with (as
// /proc/self/cmdline holds it, each argument followed by a NUL) to paired-report beside itself,
// and ends with the code written in paired-exit-code beside itself.

#include <filesystem>
#include <fstream>
#include <string>

int main() {
  const std::string self = std::filesystem::read_symlink("/proc/self/exe");
  const std::string folder = self.substr(0, self.rfind('/') + 1);
  // Whole or not at all, for a test that waits for it.
  std::ofstream(folder + "paired-report.partial", std::ios::binary)
      << std::ifstream("/proc/self/cmdline", std::ios::binary).rdbuf();
  std::filesystem::rename(folder + "paired-report.partial", folder + "paired-report");
  int code = 0;
  std::ifstream(folder + "paired-exit-code") >> code;
  return code;
}
