#pragma once

// The thread that hosts the VM and runs main.
// Windows: CreateThread with the stack size as given (flags 0), waited for without time-out.
// Linux: a pthread whose stack size is set when the system accepts it (a size it refuses,
// such as one below its minimum, leaves the default), joined without time-out.

#include <cstdint>
#include <functional>

namespace launcher {

// Runs `procedure` on a new thread with `stackSize` bytes of stack (0: the system's default)
// and waits for it to end. When no thread can be created, runs it on the calling thread.
// Returns the procedure's result either way.
uint32_t RunOnOwnThread(uint64_t stackSize, const std::function<uint32_t()>& procedure);

// Blocks the calling thread for good.
[[noreturn]] void SleepForever();

} // namespace launcher
