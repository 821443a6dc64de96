#pragma once

// Temporary folders with fake Java runtimes for the runtime-discovery tests.

#include <initializer_list>
#include <string>

#include "jvm/discovery/jvm_layout.h"
#include "unit/support/scratch_folder.h"

namespace launcher::test {

// A scratch folder that also creates the folders of what it writes. Relative names are
// written with "/" and turned into native paths.
class DiscoveryTempFolder : public testing::ScratchFolder {
public:
  std::wstring Join(const std::string& relative) const;
  // Writes a file (creating its folders) and returns its full path.
  std::wstring WriteFile(const std::string& relative, const std::string& bytes = "") const;
  std::wstring MakeFolder(const std::string& relative) const;

  // A fake runtime home: one VM library file of each kind, at the first name the layout
  // probes, holding `image`. Returns the home without a trailing separator, as a registry
  // value names it.
  std::wstring MakeRuntime(const std::string& relativeHome, std::initializer_list<JvmKind> kinds,
                           const std::string& image = "") const;
};

// The first bytes of a VM library that this launcher cannot load (a 32-bit x86 image) and of
// one it can (an image of its own architecture), in the platform's image format.
std::string ThirtyTwoBitVmImage();
std::string NativeVmImage();
// Only the bytes of a 32-bit x86 image up to the end of the field that names its machine.
std::string ThirtyTwoBitVmHeader();

} // namespace launcher::test
