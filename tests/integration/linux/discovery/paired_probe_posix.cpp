// The paired program of the runtime-search tests. It records the argument vector it was
// started with (as /proc/self/cmdline holds it: each argument followed by a NUL) in
// paired-report beside itself, and ends with the exit code written in paired-exit-code beside
// itself (0 when there is none).

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

std::string OwnFolder() {
  std::string path(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  path.resize(length > 0 ? static_cast<size_t>(length) : 0);
  return path.substr(0, path.rfind('/') + 1);
}

} // namespace

int main() {
  const std::string folder = OwnFolder();
  std::string arguments;
  if (FILE* cmdline = fopen("/proc/self/cmdline", "rb")) {
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, cmdline)) > 0) {
      arguments.append(buffer, got);
    }
    fclose(cmdline);
  }
  const std::string report = folder + "paired-report";
  if (FILE* out = fopen((report + ".partial").c_str(), "wb")) {
    fwrite(arguments.data(), 1, arguments.size(), out);
    fclose(out);
    rename((report + ".partial").c_str(), report.c_str());
  }
  int exitCode = 0;
  if (FILE* code = fopen((folder + "paired-exit-code").c_str(), "rb")) {
    if (fscanf(code, "%d", &exitCode) != 1) {
      exitCode = 0;
    }
    fclose(code);
  }
  return exitCode;
}
