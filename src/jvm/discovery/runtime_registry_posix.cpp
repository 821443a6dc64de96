#include "jvm/discovery/runtime_registry.h"

#include "jvm/discovery/runtime_folder_registry.h"

namespace launcher {

std::unique_ptr<RuntimeRegistry> OpenSystemRuntimeRegistry() {
  return std::make_unique<RuntimeFolderRegistry>(SystemRuntimeRoots());
}

} // namespace launcher
