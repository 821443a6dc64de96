#pragma once

// Where, besides the registry, the search for today's runtimes (modern_runtime_search.h)
// looks: the JAVA_HOME variable and the user's own runtime folders. Windows: JAVA_HOME only.
// Linux: JAVA_HOME, then ~/.sdkman/candidates/java and ~/.jdks (SDKMAN! and IntelliJ IDEA put
// the runtimes they download there), each of whose entries may be a runtime home.

#include <string>
#include <vector>

namespace launcher {

struct ModernRuntimeSources {
  std::wstring javaHome;                        // JAVA_HOME as set; empty when unset
  std::vector<std::wstring> userRuntimeFolders; // in search order, without a trailing separator
};

// This process's sources. Read only when the search gets that far.
ModernRuntimeSources SystemModernRuntimeSources();

} // namespace launcher
