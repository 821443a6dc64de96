#pragma once

// Image headers made byte by byte for the architecture tests.

#include <cstdint>
#include <string>

namespace launcher::test {

// A PE file of `size` bytes: "MZ", e_lfanew, and at that offset "PE\0\0" and Machine, each
// written only where it fits.
std::string MakePeBytes(size_t size, int32_t lfanew, uint16_t machine);

// The first bytes of an ELF file: magic, class (1 or 2), data encoding (1 little, 2 big) and
// e_machine in that encoding, padded to `size`.
std::string MakeElfBytes(unsigned char elfClass, unsigned char encoding, uint16_t machine,
                         size_t size = 64);

inline const unsigned char* Bytes(const std::string& text) {
  return reinterpret_cast<const unsigned char*>(text.data());
}

} // namespace launcher::test
