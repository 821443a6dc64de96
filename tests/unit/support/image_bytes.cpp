#include "unit/support/image_bytes.h"

namespace launcher::test {
namespace {

void Put(std::string& bytes, size_t offset, uint32_t value, int count, bool bigEndian = false) {
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

} // namespace launcher::test
