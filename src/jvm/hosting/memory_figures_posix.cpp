#include "jvm/hosting/memory_sizing.h"

#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace launcher {
namespace {

// The size of the user part of the address space when no limit is set: 47 bits on x86-64
// (and the common 4-level page tables of other 64-bit machines), 3 GiB for 32-bit processes.
uint64_t UserAddressSpaceSize() {
  if constexpr (sizeof(void*) >= 8) {
    return uint64_t{1} << 47;
  } else {
    return uint64_t{3} << 30;
  }
}

// The bytes of address space the process maps now (the first figure of /proc/self/statm).
uint64_t MappedBytes(uint64_t pageSize) {
  std::FILE* statm = std::fopen("/proc/self/statm", "re");
  if (statm == nullptr) {
    return 0;
  }
  unsigned long long pages = 0;
  const int read = std::fscanf(statm, "%llu", &pages);
  std::fclose(statm);
  return read == 1 ? pages * pageSize : 0;
}

} // namespace

MemoryFigures ReadMemoryFigures() {
  MemoryFigures figures;
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGESIZE);
  if (pages > 0 && pageSize > 0) {
    figures.totalPhysical = static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageSize);
  }
  uint64_t limit = UserAddressSpaceSize();
  struct rlimit addressSpace;
  if (getrlimit(RLIMIT_AS, &addressSpace) == 0 && addressSpace.rlim_cur != RLIM_INFINITY) {
    limit = static_cast<uint64_t>(addressSpace.rlim_cur);
  }
  const uint64_t mapped = MappedBytes(pageSize > 0 ? static_cast<uint64_t>(pageSize) : 4096);
  figures.availableVirtual = limit > mapped ? limit - mapped : 0;
  return figures;
}

} // namespace launcher
