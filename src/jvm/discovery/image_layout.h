#pragma once

// Whether an executable image holds everything that loading it maps from the file. A library
// cut short (a copy that stopped half-way, a full disk) still passes the system loader's own
// header checks; the loader then maps segments that end past the end of the file, and the
// first touch of such a page kills the process (SIGBUS on Linux) before it can say anything.
// The launcher checks first and reports the library as one it cannot load.
//
// The rules read through a callback, so that they read only the few hundred bytes of headers
// they look at, from an open file or from memory alike. Every read lies inside the file size
// they are given.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace launcher {

enum class ImageLayout {
  kComplete,   // every part the headers place in the file lies inside it
  kNotAnImage, // not an image of this format
  kTruncated,  // the headers place parts past the end of the file, or they cannot be read
};

// Reads exactly `count` bytes at `offset` into `out`, replacing what it held; false when they
// cannot all be read.
using ImageByteReader = std::function<bool(uint64_t offset, size_t count, std::string& out)>;

// ELF of either class and byte order: the file header, the program header table (e_phnum
// entries of the class's own size at e_phoff) and the file bytes of every PT_LOAD segment
// (p_offset + p_filesz) lie inside fileSize.
ImageLayout CheckElfLayout(uint64_t fileSize, const ImageByteReader& read);

// PE: the DOS header, "PE\0\0" and the file header at e_lfanew, the section table after the
// optional header and the raw data of every section (PointerToRawData + SizeOfRawData) lie
// inside fileSize. A section without raw data places nothing in the file.
ImageLayout CheckPeLayout(uint64_t fileSize, const ImageByteReader& read);

} // namespace launcher
