#pragma once

// Whether a VM library on disk is a 32-bit x86 image, the one kind of runtime this 64-bit
// launcher cannot load itself. Windows: the file is mapped read-only and its PE headers are
// read straight from the mapped bytes, each offset checked against the file size. Linux: the
// first bytes are read and the ELF header says class 32 and machine x86.

#include <string>

namespace launcher {

// False for a missing, unreadable, empty or malformed file and for any other architecture.
bool IsX86ImageFile(const std::wstring& path);

} // namespace launcher
