#include "jvm/discovery/image_architecture.h"

namespace launcher {
namespace {

constexpr size_t kDosHeaderSize = 64;
constexpr size_t kLfanewOffset = 0x3C;

uint16_t ReadLittle16(const unsigned char* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint16_t ReadBig16(const unsigned char* p) {
  return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

uint32_t ReadLittle32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

} // namespace

std::optional<uint16_t> ReadPeMachine(const unsigned char* bytes, size_t size) {
  if (bytes == nullptr || size < kDosHeaderSize || bytes[0] != 'M' || bytes[1] != 'Z') {
    return std::nullopt;
  }
  // e_lfanew is a signed field: a negative value points before the image.
  const int32_t lfanew = static_cast<int32_t>(ReadLittle32(bytes + kLfanewOffset));
  if (lfanew < 0) {
    return std::nullopt;
  }
  const size_t ntHeaders = static_cast<size_t>(lfanew);
  // The signature (4 bytes) and Machine (2 bytes) must both lie inside the file. The
  // subtraction form cannot overflow.
  constexpr size_t kNeeded = 6;
  if (ntHeaders > size || size - ntHeaders < kNeeded) {
    return std::nullopt;
  }
  const unsigned char* nt = bytes + ntHeaders;
  if (nt[0] != 'P' || nt[1] != 'E' || nt[2] != 0 || nt[3] != 0) {
    return std::nullopt;
  }
  return ReadLittle16(nt + 4);
}

bool IsX86PeImage(const unsigned char* bytes, size_t size) {
  const std::optional<uint16_t> machine = ReadPeMachine(bytes, size);
  return machine && *machine == kPeMachineX86;
}

std::optional<ElfImageKind> ReadElfImageKind(const unsigned char* bytes, size_t size) {
  if (bytes == nullptr || size < kElfHeaderBytes || bytes[0] != 0x7F || bytes[1] != 'E' ||
      bytes[2] != 'L' || bytes[3] != 'F') {
    return std::nullopt;
  }
  const unsigned char elfClass = bytes[4];
  const unsigned char encoding = bytes[5];
  if ((elfClass != 1 && elfClass != 2) || (encoding != 1 && encoding != 2)) {
    return std::nullopt;
  }
  ElfImageKind kind;
  kind.is64Bit = elfClass == 2;
  kind.machine = encoding == 1 ? ReadLittle16(bytes + 18) : ReadBig16(bytes + 18);
  return kind;
}

bool IsX86ElfImage(const unsigned char* bytes, size_t size) {
  const std::optional<ElfImageKind> kind = ReadElfImageKind(bytes, size);
  return kind && !kind->is64Bit && kind->machine == kElfMachineX86;
}

bool Is64BitElfImageFor(const unsigned char* bytes, size_t size, uint16_t machine) {
  const std::optional<ElfImageKind> kind = ReadElfImageKind(bytes, size);
  return kind && kind->is64Bit && kind->machine == machine;
}

} // namespace launcher
