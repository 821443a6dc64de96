#pragma once

// Linux only: the runtimes installed in the system's runtime folders, presented in the shape
// of the Windows vendor keys so that one search serves both platforms.
//
// Every folder directly inside a runtime root is a runtime when it holds a VM library of the
// layout (jvm_layout.h), in itself or in its "jre" folder:
// - version key: JAVA_VERSION of its `release` file, or the folder's own name when the file
//   or the entry is missing (jdk1.8.0_151 still reads as 1.8.0.151);
// - vendor key: an IMPLEMENTOR that contains "IBM" puts it under the IBM key, with its "jre"
//   folder as JavaHome when it has one (as IBM's installers register it); any other runtime
//   goes under the JavaSoft keys: "Java Development Kit" when it has a "jre" folder (the old
//   JDK layout, whose runtime the search then looks for in that folder), otherwise "Java
//   Runtime Environment";
// - JavaHome: the runtime folder as found under its root, without a trailing separator;
// - views: the native view lists runtimes with a VM library that is a 64-bit ELF image of
//   this machine's architecture, the 32-bit view those with a 32-bit x86 ELF image.
//
// Folders are visited root by root, in the order given; within a root the real folders come
// first, then the symbolic links, each group by name. A link (or a folder reached through
// another root) whose real path was already visited is skipped, so that aliases such as
// /usr/lib/jvm/default-java do not list one runtime twice; a link to a runtime outside the
// roots is listed under the link's path. Like a registry, a vendor key holds one version key
// per name: of two runtimes with the same version under the same key, the first visited wins.
//
// The folders are read once, on the first question.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "jvm/discovery/runtime_registry.h"

namespace launcher {

// The runtime roots the launcher searches, in order.
std::vector<std::wstring> SystemRuntimeRoots();

// The ELF machine number of the architecture this program was built for.
uint16_t HostElfMachine();

class RuntimeFolderRegistry : public RuntimeRegistry {
public:
  explicit RuntimeFolderRegistry(std::vector<std::wstring> runtimeRoots,
                                 uint16_t hostMachine = HostElfMachine());

  std::vector<std::wstring> ListVersionKeys(const std::wstring& vendorKey,
                                            bool use32BitView) override;
  std::optional<std::wstring> QueryJavaHome(const std::wstring& vendorKey,
                                            const std::wstring& versionKey,
                                            bool use32BitView) override;

  struct Runtime {
    std::wstring vendorKey;
    std::wstring versionKey;
    std::wstring javaHome;
    bool inNativeView = false;
    bool in32BitView = false;
  };

  // Every runtime found, in visiting order (before the one-name-per-key rule).
  const std::vector<Runtime>& Runtimes();

private:
  void Scan();

  std::vector<std::wstring> runtimeRoots_;
  uint16_t hostMachine_;
  bool scanned_ = false;
  std::vector<Runtime> runtimes_;
};

} // namespace launcher
