#include "jvm/hosting/memory_sizing.h"

#include "base/windows_api.h"

namespace launcher {

MemoryFigures ReadMemoryFigures() {
  MemoryFigures figures;
  MEMORYSTATUSEX status;
  status.dwLength = sizeof status;
  if (GlobalMemoryStatusEx(&status)) {
    figures.totalPhysical = status.ullTotalPhys;
    figures.availableVirtual = status.ullAvailVirtual;
  }
  return figures;
}

} // namespace launcher
