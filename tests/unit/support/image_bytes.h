#pragma once

// Image headers made byte by byte for the architecture tests.

#include <cstdint>
#include <string>
#include <vector>

namespace launcher::test {

// A PE file of `size` bytes: "MZ", e_lfanew, and at that offset "PE\0\0" and Machine, each
// written only where it fits.
std::string MakePeBytes(size_t size, int32_t lfanew, uint16_t machine);

// The first bytes of an ELF file: magic, class (1 or 2), data encoding (1 little, 2 big) and
// e_machine in that encoding, padded to `size`.
std::string MakeElfBytes(unsigned char elfClass, unsigned char encoding, uint16_t machine,
                         size_t size = 64);

// An ELF file of `size` bytes (class 1 or 2, encoding 1 or 2) whose program header table at
// `tableOffset` lists one segment per entry: type, p_offset, p_filesz. Written only where it
// fits.
struct ElfSegment {
  uint32_t type;
  uint64_t offset;
  uint64_t fileBytes;
};
std::string MakeElfWithSegments(unsigned char elfClass, unsigned char encoding,
                                uint64_t tableOffset, const std::vector<ElfSegment>& segments,
                                size_t size);

// A PE file of `size` bytes with headers at 0x80, an optional header of `optionalSize` bytes
// and one section per entry: PointerToRawData, SizeOfRawData. Written only where it fits.
struct PeSection {
  uint32_t rawPointer;
  uint32_t rawSize;
};
std::string MakePeWithSections(uint16_t optionalSize, const std::vector<PeSection>& sections,
                               size_t size);

inline const unsigned char* Bytes(const std::string& text) {
  return reinterpret_cast<const unsigned char*>(text.data());
}

} // namespace launcher::test
