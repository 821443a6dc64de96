#pragma once

// Executable images made byte by byte; each field is written only where it fits in the file.

#include <cstdint>
#include <string>
#include <vector>

namespace launcher::test {

// A PE file: "MZ", e_lfanew, and at that offset "PE\0\0" and Machine.
std::string MakePeBytes(size_t size, int32_t lfanew, uint16_t machine);

// An ELF file's first bytes: magic, class (1: 32-bit, 2: 64-bit), data encoding (1: little,
// 2: big endian) and e_machine in that encoding.
std::string MakeElfBytes(unsigned char elfClass, unsigned char encoding, uint16_t machine,
                         size_t size = 64);

// An ELF file whose program header table at `tableOffset` lists these segments.
struct ElfSegment {
  uint32_t type;
  uint64_t offset, fileBytes;
};
std::string MakeElfWithSegments(unsigned char elfClass, unsigned char encoding,
                                uint64_t tableOffset, const std::vector<ElfSegment>& segments,
                                size_t size);

// A PE file with headers at 0x80, an optional header of `optionalSize` bytes and these sections.
struct PeSection {
  uint32_t rawPointer, rawSize;
};
std::string MakePeWithSections(uint16_t optionalSize, const std::vector<PeSection>& sections,
                               size_t size);

// A VM library in this platform's image format: 32-bit x86, or of this program's machine.
std::string HostVmImage(bool x86);

inline const unsigned char* Bytes(const std::string& text) {
  return reinterpret_cast<const unsigned char*>(text.data());
}

} // namespace launcher::test
