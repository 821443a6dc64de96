#include "jvm/discovery/modern_runtime_sources.h"

#include "base/environment.h"

namespace launcher {

ModernRuntimeSources SystemModernRuntimeSources() {
  ModernRuntimeSources sources;
  sources.javaHome = ReadEnvironmentVariable(L"JAVA_HOME").value_or(std::wstring());
  // Without a home folder there are no folders of the user's own to look in.
  const std::wstring home = ReadEnvironmentVariable(L"HOME").value_or(std::wstring());
  if (!home.empty()) {
    sources.userRuntimeFolders = {home + L"/.sdkman/candidates/java", home + L"/.jdks"};
  }
  return sources;
}

} // namespace launcher
