#pragma once

// The process exit codes the launcher itself decides. Besides these, a second start in
// single-instance mode returns what the running instance replied, a paired relaunch with
// "Pair Return Code" returns the paired program's code, and Java code that ends the VM
// (System.exit) returns the code it passed.

#include <cstdint>

namespace launcher {

// main returned and the VM was destroyed.
constexpr int32_t kExitSuccess = 0;
// Init failed (settings, single-instance set-up, no runtime chosen), the VM library could
// not be bound, or the main-class thread failed. Shells see 255.
constexpr int32_t kExitFailure = -1;
// main ended with an exception that nobody chose to ignore, as the java command reports it.
constexpr int32_t kExitUncaughtException = 1;
// The paired program was started and "Pair Return Code" is off, whether or not it started.
constexpr int32_t kExitPairedStarted = 0;
// The splash screen could not be started.
constexpr int32_t kExitSplashFailed = 0;

} // namespace launcher
