#include "jvm/discovery/image_layout.h"

#include <algorithm>

namespace launcher {
namespace {

// An unsigned field of `width` bytes at `at`; the callers have checked that it lies inside.
uint64_t Field(const std::string& bytes, size_t at, int width, bool bigEndian) {
  uint64_t value = 0;
  for (int i = 0; i < width; ++i) {
    const int index = bigEndian ? i : width - 1 - i;
    value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<size_t>(index)]);
  }
  return value;
}

// Whether `count` bytes at `offset` lie inside a file of `fileSize` bytes; the subtraction
// form cannot overflow.
bool InsideFile(uint64_t offset, uint64_t count, uint64_t fileSize) {
  return offset <= fileSize && fileSize - offset >= count;
}

// A reader that keeps to its word: exactly the bytes asked for, or false.
bool ReadExactly(const ImageByteReader& read, uint64_t offset, size_t count, std::string& out) {
  return read(offset, count, out) && out.size() == count;
}

constexpr uint32_t kPtLoad = 1;

} // namespace

ImageLayout CheckElfLayout(uint64_t fileSize, const ImageByteReader& read) {
  constexpr size_t kIdentSize = 16;
  std::string header;
  if (!ReadExactly(read, 0, static_cast<size_t>(std::min<uint64_t>(fileSize, 64)), header)) {
    return ImageLayout::kTruncated;
  }
  if (header.size() < 4 || header.compare(0, 4,
                                          "\x7F"
                                          "ELF") != 0) {
    return ImageLayout::kNotAnImage;
  }
  if (header.size() < kIdentSize) {
    return ImageLayout::kTruncated;
  }
  const unsigned char elfClass = static_cast<unsigned char>(header[4]);
  const unsigned char encoding = static_cast<unsigned char>(header[5]);
  if ((elfClass != 1 && elfClass != 2) || (encoding != 1 && encoding != 2)) {
    return ImageLayout::kNotAnImage;
  }
  const bool is64Bit = elfClass == 2;
  const bool big = encoding == 2;
  if (header.size() < (is64Bit ? 64u : 52u)) {
    return ImageLayout::kTruncated;
  }
  const uint64_t tableOffset = is64Bit ? Field(header, 32, 8, big) : Field(header, 28, 4, big);
  const uint64_t entrySize = Field(header, is64Bit ? 54 : 42, 2, big);
  const uint64_t entryCount = Field(header, is64Bit ? 56 : 44, 2, big);
  if (entryCount == 0) {
    return ImageLayout::kComplete; // nothing is mapped; the loader refuses such a file itself
  }
  // The loader reads entries of its own size only.
  const size_t classEntrySize = is64Bit ? 56 : 32;
  if (entrySize != classEntrySize) {
    return ImageLayout::kNotAnImage;
  }
  // At most 65535 entries of 56 bytes: no overflow.
  const size_t tableSize = static_cast<size_t>(entryCount) * classEntrySize;
  std::string table;
  if (!InsideFile(tableOffset, tableSize, fileSize) ||
      !ReadExactly(read, tableOffset, tableSize, table)) {
    return ImageLayout::kTruncated;
  }
  for (size_t entry = 0; entry < tableSize; entry += classEntrySize) {
    if (Field(table, entry, 4, big) != kPtLoad) {
      continue;
    }
    const uint64_t offset =
        is64Bit ? Field(table, entry + 8, 8, big) : Field(table, entry + 4, 4, big);
    const uint64_t bytes =
        is64Bit ? Field(table, entry + 32, 8, big) : Field(table, entry + 16, 4, big);
    if (!InsideFile(offset, bytes, fileSize)) {
      return ImageLayout::kTruncated;
    }
  }
  return ImageLayout::kComplete;
}

ImageLayout CheckPeLayout(uint64_t fileSize, const ImageByteReader& read) {
  constexpr size_t kDosHeaderSize = 64;
  constexpr size_t kLfanewOffset = 0x3C;
  constexpr size_t kNtFixedSize = 4 + 20; // the signature and the file header
  constexpr size_t kSectionHeaderSize = 40;
  std::string dos;
  if (!ReadExactly(read, 0, static_cast<size_t>(std::min<uint64_t>(fileSize, kDosHeaderSize)),
                   dos)) {
    return ImageLayout::kTruncated;
  }
  if (dos.size() < 2 || dos[0] != 'M' || dos[1] != 'Z') {
    return ImageLayout::kNotAnImage;
  }
  if (dos.size() < kDosHeaderSize) {
    return ImageLayout::kTruncated;
  }
  // e_lfanew is signed: a negative value points before the image.
  const uint64_t lfanew = Field(dos, kLfanewOffset, 4, false);
  if (lfanew >= 0x80000000u) {
    return ImageLayout::kNotAnImage;
  }
  std::string nt;
  if (!InsideFile(lfanew, kNtFixedSize, fileSize) || !ReadExactly(read, lfanew, kNtFixedSize, nt)) {
    return ImageLayout::kTruncated;
  }
  if (nt.compare(0, 4, std::string("PE\0\0", 4)) != 0) {
    return ImageLayout::kNotAnImage;
  }
  const uint64_t sectionCount = Field(nt, 6, 2, false);
  const uint64_t optionalHeaderSize = Field(nt, 20, 2, false);
  const uint64_t tableOffset = lfanew + kNtFixedSize + optionalHeaderSize;
  // At most 65535 entries of 40 bytes: no overflow.
  const size_t tableSize = static_cast<size_t>(sectionCount) * kSectionHeaderSize;
  std::string table;
  if (!InsideFile(tableOffset, tableSize, fileSize) ||
      (tableSize > 0 && !ReadExactly(read, tableOffset, tableSize, table))) {
    return ImageLayout::kTruncated;
  }
  for (size_t section = 0; section < tableSize; section += kSectionHeaderSize) {
    const uint64_t rawSize = Field(table, section + 16, 4, false);
    const uint64_t rawPointer = Field(table, section + 20, 4, false);
    if (rawSize != 0 && !InsideFile(rawPointer, rawSize, fileSize)) {
      return ImageLayout::kTruncated;
    }
  }
  return ImageLayout::kComplete;
}

} // namespace launcher
