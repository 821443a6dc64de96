#pragma once

// The paired relaunch: when the chosen runtime is one this launcher cannot host and the
// application ships a paired program that can, that program is started in the launcher's
// place with the launcher's own command line.
//
// Windows: CreateProcessW with the paired program as application name and GetCommandLineW()
// exactly as the command line, so the program name the child sees is the launcher's; no
// inherited handles, no creation flags, the inherited environment and current folder.
// Linux: posix_spawn of the paired program with the launcher's own argument vector (read
// from /proc/self/cmdline, argv[0] included), the standard streams inherited and every other
// descriptor closed in the child. A child ended by a signal gives 128 + the signal number.

#include <string>

namespace launcher {

// Starts `pairProduct` and returns the exit code for the launcher: 0 at once without
// `pairReturnCode`; otherwise the child's exit code after waiting for it without time-out,
// or 0 when it could not be started.
int RunPairedProduct(const std::wstring& pairProduct, bool pairReturnCode);

} // namespace launcher
