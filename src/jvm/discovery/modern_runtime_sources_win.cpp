#include "jvm/discovery/modern_runtime_sources.h"

#include "base/environment.h"

namespace launcher {

ModernRuntimeSources SystemModernRuntimeSources() {
  ModernRuntimeSources sources;
  sources.javaHome = ReadEnvironmentVariable(L"JAVA_HOME").value_or(std::wstring());
  return sources;
}

} // namespace launcher
