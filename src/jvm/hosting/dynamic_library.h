#pragma once

// Loading the VM library and finding its exports. Before the system loader sees the file, it
// is opened without blocking (a FIFO or a device named like the library counts as absent)
// and its headers are checked to lie inside it (image_layout.h), so that a library cut short
// is reported instead of crashing the process inside the loader. The library is then loaded
// by its path.
//
// Each platform tells what went wrong in its own terms, as the message to show:
// Windows: LoadLibraryW and GetProcAddress; message 222 with the path and the error code
// (ERROR_MOD_NOT_FOUND for a missing or non-regular file, ERROR_BAD_EXE_FORMAT for an image
// that fails the check, else the code the loader left), and 202 with 212 and the code of
// GetProcAddress for a missing export.
// Linux: dlopen with RTLD_NOW | RTLD_GLOBAL (the VM library's own companions, libjava and the
// rest, resolve JVM_* symbols against it, as with the JDK's own launcher) and dlsym; the
// Linux-only messages name the path and why: the system's words for a file that cannot be
// opened, "not a regular file", "not a shared library", "truncated", or the dynamic
// loader's own text; a missing export is named.

#include <string>

namespace launcher {

// A loaded library. It is deliberately never unloaded: a VM library stays mapped for the
// life of the process, whatever happens, so there is no owner that would release it.
using LibraryHandle = void*;

// The library, or null with the message that says why in `failure`.
LibraryHandle LoadDynamicLibrary(const std::wstring& path, std::wstring& failure);

// The export's address, or null with the message that says why in `failure`. `path` is the
// library's, for the message.
void* FindLibraryExport(LibraryHandle library, const std::wstring& path, const char* name,
                        std::wstring& failure);

} // namespace launcher
