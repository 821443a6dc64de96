#include "unit/support/image_bytes.h"

namespace launcher::test {
namespace {

void Put(std::string& bytes, size_t offset, uint64_t value, int count, bool bigEndian = false) {
  for (int i = 0; i < count; ++i) {
    const size_t at = offset + static_cast<size_t>(i);
    const int shift = bigEndian ? 8 * (count - 1 - i) : 8 * i;
    if (at < bytes.size()) {
      bytes[at] = static_cast<char>((value >> shift) & 0xFF);
    }
  }
}

} // namespace

std::string MakePeBytes(size_t size, int32_t lfanew, uint16_t machine) {
  std::string bytes(size, '\0');
  Put(bytes, 0, 'M', 1);
  Put(bytes, 1, 'Z', 1);
  Put(bytes, 0x3C, static_cast<uint32_t>(lfanew), 4);
  if (lfanew >= 0) {
    const size_t nt = static_cast<size_t>(lfanew);
    Put(bytes, nt, 'P', 1);
    Put(bytes, nt + 1, 'E', 1);
    Put(bytes, nt + 4, machine, 2);
  }
  return bytes;
}

std::string MakeElfBytes(unsigned char elfClass, unsigned char encoding, uint16_t machine,
                         size_t size) {
  std::string bytes(size, '\0');
  Put(bytes, 0, 0x7F, 1);
  Put(bytes, 1, 'E', 1);
  Put(bytes, 2, 'L', 1);
  Put(bytes, 3, 'F', 1);
  Put(bytes, 4, elfClass, 1);
  Put(bytes, 5, encoding, 1);
  Put(bytes, 6, 1, 1);
  Put(bytes, 18, machine, 2, encoding == 2);
  return bytes;
}

std::string MakeElfWithSegments(unsigned char elfClass, unsigned char encoding,
                                uint64_t tableOffset, const std::vector<ElfSegment>& segments,
                                size_t size) {
  std::string bytes = MakeElfBytes(elfClass, encoding, 62, size);
  const bool big = encoding == 2;
  const bool is64 = elfClass == 2;
  const size_t entrySize = is64 ? 56 : 32;
  Put(bytes, is64 ? 32 : 28, tableOffset, is64 ? 8 : 4, big);
  Put(bytes, is64 ? 54 : 42, entrySize, 2, big);
  Put(bytes, is64 ? 56 : 44, segments.size(), 2, big);
  size_t entry = static_cast<size_t>(tableOffset);
  for (const ElfSegment& segment : segments) {
    if (tableOffset >= size) {
      break; // nothing of the table fits, and offsets near the top would wrap around
    }
    Put(bytes, entry, segment.type, 4, big);
    Put(bytes, entry + (is64 ? 8 : 4), segment.offset, is64 ? 8 : 4, big);
    Put(bytes, entry + (is64 ? 32 : 16), segment.fileBytes, is64 ? 8 : 4, big);
    entry += entrySize;
  }
  return bytes;
}

std::string MakePeWithSections(uint16_t optionalSize, const std::vector<PeSection>& sections,
                               size_t size) {
  constexpr size_t kNt = 0x80;
  std::string bytes = MakePeBytes(size, kNt, 0x8664);
  Put(bytes, kNt + 6, sections.size(), 2);
  Put(bytes, kNt + 20, optionalSize, 2);
  size_t entry = kNt + 24 + optionalSize;
  for (const PeSection& section : sections) {
    Put(bytes, entry + 16, section.rawSize, 4);
    Put(bytes, entry + 20, section.rawPointer, 4);
    entry += 40;
  }
  return bytes;
}

} // namespace launcher::test
