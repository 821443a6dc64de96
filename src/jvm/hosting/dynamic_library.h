#pragma once

// Loading a shared library and finding its exports.
// Windows: LoadLibraryW and GetProcAddress; error codes are GetLastError values.
// Linux: dlopen with RTLD_NOW | RTLD_GLOBAL (the VM library's own companions, libjava and
// the rest, resolve JVM_* symbols against it, as with the JDK's own launcher) and dlsym.
// dlopen reports text, not a number, so the Linux error code is errno-style and chosen
// here: the error of opening the file when it cannot be opened (ENOENT, EACCES, ...),
// ENOEXEC when the file opens but is no library this process can load (wrong class or
// machine, missing dependencies), and ENOENT for an export that is not there.

#include <string>

namespace launcher {

// A loaded library. It is deliberately never unloaded: a VM library stays mapped for the
// life of the process, whatever happens, so there is no owner that would release it.
using LibraryHandle = void*;

// The library, or null with the error code in errorCode.
LibraryHandle LoadDynamicLibrary(const std::wstring& path, int& errorCode);

// The export's address, or null with the error code in errorCode.
void* FindLibraryExport(LibraryHandle library, const char* name, int& errorCode);

} // namespace launcher
