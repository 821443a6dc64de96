#pragma once

// The class-data cache at work in one start: before the VM is created, the options that map
// the application's archive or have the runtime write one; after the VM has ended, the new
// archive put in place.

#include <string>

#include "jvm/hosting/vm_launch_state.h"

namespace launcher {

// Adds the cache's options to vm.vmOptions, right after the class path (so that the VM
// parameters of the settings come later and win, -Xlog among them). Nothing is added when the
// runtime is older than Java 13 or its version is unknown, when the VM parameters manage
// class-data sharing themselves, when a folder is on the class path, or when the cache folder
// cannot be written: the start is then an ordinary one. An archive that is there but not
// finished is removed and written anew.
void PrepareClassDataCache(const std::wstring& jvmDllPath, const std::wstring& modulePath,
                           VmLaunchState& vm);

// Once the VM has ended: the archive this run had the runtime write is checked and renamed
// into place, or removed when it is not a whole archive. Does nothing in a run that writes
// none, and nothing the second time. Safe to call from the VM's exit hook.
void FinishClassDataArchive();

} // namespace launcher
