// Times, in a fresh process as the launcher does them once per start, the reading of a staged
// launcher's settings and the runtime search over this machine's runtime folders. Linked
// against the launcher's core library, so it runs the launcher's code, not a copy of it.
//
//   runtime_search_timing MODULE_PATH
//
// MODULE_PATH is where the launcher would sit, beside its settings file. Prints: microseconds
// of reading the settings, microseconds of the search, and the VM library chosen.
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>

#include "base/launcher_paths.h"
#include "base/text.h"
#include "jvm/discovery/runtime_search.h"
#include "settings/launcher_settings.h"
#include "settings/settings_reader.h"

namespace {

long long MicrosSince(std::chrono::steady_clock::time_point start) {
  return static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(
                                    std::chrono::steady_clock::now() - start)
                                    .count());
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: runtime_search_timing MODULE_PATH\n");
    return 2;
  }
  const std::wstring modulePath = launcher::FromUtf8(argv[1]);

  auto start = std::chrono::steady_clock::now();
  const launcher::SettingsReader reader(
      launcher::ExecutableSettingsPath(modulePath).value_or(std::wstring()));
  launcher::LauncherSettings settings;
  if (!launcher::LoadSettings(reader, modulePath, nullptr, settings)) {
    return 1;
  }
  const long long settingsMicros = MicrosSince(start);

  start = std::chrono::steady_clock::now();
  const std::unique_ptr<launcher::RuntimeRegistry> registry = launcher::OpenSystemRuntimeRegistry();
  const std::optional<launcher::RuntimeSearchResult> found =
      launcher::SearchForRuntime(settings, modulePath, *registry);
  const long long searchMicros = MicrosSince(start);

  std::printf("%lld %lld %s\n", settingsMicros, searchMicros,
              found ? launcher::ToUtf8(found->jvmDllPath).c_str() : "-");
  return found ? 0 : 1;
}
