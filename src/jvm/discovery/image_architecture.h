#pragma once

// Reading the architecture of an executable image from its first bytes. Both readers take
// the bytes and their count and check every field's place against the count before reading
// it, so a truncated or hostile file (a header offset that is negative or points past the
// end) is simply "not that kind of image" and can never make the launcher read outside the
// buffer.

#include <cstddef>
#include <cstdint>
#include <optional>

namespace launcher {

constexpr uint16_t kPeMachineX86 = 0x014C;
constexpr uint16_t kPeMachineAmd64 = 0x8664;

// The Machine field of a PE image: "MZ" at offset 0, e_lfanew (a signed 32-bit value at
// offset 0x3C) pointing at "PE\0\0", the 16-bit Machine right after it. Nothing when any of
// it is missing or lies outside the bytes.
std::optional<uint16_t> ReadPeMachine(const unsigned char* bytes, size_t size);

// A PE image whose Machine is 32-bit x86.
bool IsX86PeImage(const unsigned char* bytes, size_t size);

constexpr uint16_t kElfMachineX86 = 3;
constexpr uint16_t kElfMachineX86_64 = 62;
constexpr uint16_t kElfMachineAarch64 = 183;

// The two facts of an ELF header that tell whether this process could load the image.
struct ElfImageKind {
  bool is64Bit = false;
  uint16_t machine = 0;
};

// "\x7F" "ELF", class 1 (32-bit) or 2 (64-bit), data encoding 1 (little) or 2 (big endian)
// and e_machine at offset 18 read in that encoding. Nothing for anything else.
std::optional<ElfImageKind> ReadElfImageKind(const unsigned char* bytes, size_t size);

// A 32-bit ELF image for x86.
bool IsX86ElfImage(const unsigned char* bytes, size_t size);

// A 64-bit ELF image for the given machine.
bool Is64BitElfImageFor(const unsigned char* bytes, size_t size, uint16_t machine);

// How many leading bytes of a file the readers above need at most for the ELF header; a PE
// header may lie anywhere, so PE files are read whole (or mapped).
constexpr size_t kElfHeaderBytes = 20;

} // namespace launcher
