// Times the launcher's own class-path work for one settings value, in a fresh process as the
// launcher does it once per start: resolving the entries (folder scan and wildcard match),
// building the "-Djava.class.path=" option, the second environment expansion and the conversion
// to the narrow form handed to the VM. Linked against the launcher's core library, so it runs
// the launcher's code, not a copy of it.
//
//   class_path_expansion MODULE_PATH CLASS_PATH_SETTING
//
// MODULE_PATH is where the launcher would sit (its folder is the base of relative entries).
// Prints: microseconds of the first run (as in the launcher, with the process's fresh memory),
// microseconds of a later run once the allocator keeps its memory (the work without the cost of
// touching new pages), the number of class-path entries and the length of the option in bytes.
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "base/environment.h"
#include "base/narrow_text.h"
#include "base/platform.h"
#include "base/text.h"
#include "jvm/hosting/class_path.h"

namespace {

// The launcher's steps, as it takes them once per start; returns microseconds.
long long TimeClassPathWork(const std::wstring& setting, const std::wstring& modulePath,
                            std::string& narrow) {
  const auto start = std::chrono::steady_clock::now();
  std::wstring option =
      L"-Djava.class.path=" + launcher::BuildClassPath(setting, false, modulePath);
  launcher::ExpandEnvironment(option);
  narrow = launcher::ToAnsi(option);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  return static_cast<long long>(
      std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count());
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: class_path_expansion MODULE_PATH CLASS_PATH_SETTING\n");
    return 2;
  }
  const std::wstring modulePath = launcher::FromUtf8(argv[1]);
  const std::wstring setting = launcher::FromUtf8(argv[2]);

  std::string narrow;
  const long long cold = TimeClassPathWork(setting, modulePath, narrow);
  // From here on freed memory stays with the allocator instead of going back to the system, so
  // after one more run the work finds its pages already touched.
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  TimeClassPathWork(setting, modulePath, narrow);
  const long long warm = TimeClassPathWork(setting, modulePath, narrow);

  // Entries are separated, with none after the last.
  size_t entries = narrow.size() > sizeof "-Djava.class.path=" - 1 ? 1 : 0;
  for (const char c : narrow) {
    entries += c == static_cast<char>(launcher::kPathListSeparator) ? 1 : 0;
  }
  std::printf("%lld %lld %zu %zu\n", cold, warm, entries, narrow.size());
  return 0;
}
