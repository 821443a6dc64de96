#include "unit/support/image_bytes.h"

#include "jvm/discovery/image_architecture.h"

namespace launcher::test {
namespace {

void Put(std::string& bytes, size_t offset, uint64_t value, int count, bool bigEndian = false) {
  for (int i = 0; i < count; ++i) {
    const size_t at = offset + static_cast<size_t>(i);
    if (at < bytes.size()) {
      bytes[at] = static_cast<char>((value >> (bigEndian ? 8 * (count - 1 - i) : 8 * i)) & 0xFF);
    }
  }
}

} // namespace

std::string MakePeBytes(size_t size, int32_t lfanew, uint16_t machine) {
  std::string bytes(size, '\0');
  Put(bytes, 0, 'M' | ('Z' << 8), 2);
  Put(bytes, 0x3C, static_cast<uint32_t>(lfanew), 4);
  if (lfanew >= 0) {
    Put(bytes, static_cast<size_t>(lfanew), 'P' | ('E' << 8), 2);
    Put(bytes, static_cast<size_t>(lfanew) + 4, machine, 2);
  }
  return bytes;
}

std::string MakeElfBytes(unsigned char elfClass, unsigned char encoding, uint16_t machine,
                         size_t size) {
  std::string bytes(size, '\0');
  Put(bytes, 0, 0x464C457F | uint64_t{elfClass} << 32 | uint64_t{encoding} << 40 | 1ull << 48, 7);
  Put(bytes, 18, machine, 2, encoding == 2);
  return bytes;
}

std::string MakeElfWithSegments(unsigned char elfClass, unsigned char encoding,
                                uint64_t tableOffset, const std::vector<ElfSegment>& segments,
                                size_t size) {
  std::string bytes = MakeElfBytes(elfClass, encoding, kElfMachineX86_64, size);
  const bool big = encoding == 2;
  const bool is64 = elfClass == 2;
  const size_t entrySize = is64 ? 56 : 32;
  Put(bytes, is64 ? 32 : 28, tableOffset, is64 ? 8 : 4, big);
  Put(bytes, is64 ? 54 : 42, entrySize, 2, big);
  Put(bytes, is64 ? 56 : 44, segments.size(), 2, big);
  size_t entry = static_cast<size_t>(tableOffset);
  for (size_t i = 0; i < segments.size() && tableOffset < size; ++i, entry += entrySize) {
    Put(bytes, entry, segments[i].type, 4, big);
    Put(bytes, entry + (is64 ? 8 : 4), segments[i].offset, is64 ? 8 : 4, big);
    Put(bytes, entry + (is64 ? 32 : 16), segments[i].fileBytes, is64 ? 8 : 4, big);
  }
  return bytes;
}

std::string MakePeWithSections(uint16_t optionalSize, const std::vector<PeSection>& sections,
                               size_t size) {
  constexpr size_t kNt = 0x80;
  std::string bytes = MakePeBytes(size, kNt, kPeMachineAmd64);
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

std::string HostVmImage(bool x86) {
#ifdef _WIN32
  return MakePeBytes(512, 0x80, x86 ? kPeMachineX86 : kPeMachineAmd64);
#else
  return x86 ? MakeElfBytes(1, 1, kElfMachineX86) : MakeElfBytes(2, 1, kElfMachineX86_64);
#endif
}

} // namespace launcher::test
