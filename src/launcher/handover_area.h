#pragma once

// The record a second start shares with the primary instance of the same executable, and the
// argument area inside it, byte for byte. On Windows the record is the content of a named
// mapping that other launcher processes (older builds among them) read and write, so its
// layout is fixed: little-endian, 2092 bytes, zero when first created.
//
//   offset 0   listenerThreadId  thread of the primary that receives hand-overs
//   offset 4   primaryProcessId  process a second start waits on
//   offset 8   handoverMessage   the registered message; 0: the primary gave the mode up
//   offset 12  argument area     2080 bytes
//
// The argument area holds the arguments as UTF-16LE strings, each followed by one NUL unit,
// the list followed by one more. A writer uses at most its first 1040 bytes, which it zeroes
// first; a reader scans at most 1039 units. On Linux the same 1040 packed bytes travel over
// the socket, so a forwarded list means the same on both platforms.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace launcher {

constexpr size_t kSharedBlockSize = 2092;
constexpr size_t kListenerThreadIdOffset = 0;
constexpr size_t kPrimaryProcessIdOffset = 4;
constexpr size_t kHandoverMessageOffset = 8;
constexpr size_t kArgumentAreaOffset = 12;
constexpr size_t kArgumentAreaSize = kSharedBlockSize - kArgumentAreaOffset; // 2080
// The bytes a writer fills (the NUL units come from the zero fill), and the units a reader
// scans: up to, not including, offset 2090 of the record.
constexpr size_t kPackedArgumentsSize = 1040;
constexpr size_t kArgumentScanUnits = 1039;

using PackedArguments = std::array<uint8_t, kPackedArgumentsSize>;
using ArgumentArea = std::array<uint8_t, kArgumentAreaSize>;

// The arguments as a writer puts them into the area; nothing when the sum over the arguments
// of (2 x UTF-16 units + 2), plus 2, exceeds 1040 bytes.
std::optional<PackedArguments> PackArguments(const std::vector<std::wstring>& arguments);

// The list a reader takes from the area: units gather into a string; a NUL ends it, and a
// second NUL right after ends the list (so an empty argument ends it too, and an empty area
// gives one empty string). A string still open when the scan limit is reached is dropped.
std::vector<std::wstring> ReadArguments(const ArgumentArea& area);

// A packed area as the reader sees it: the packed bytes, then zeros.
ArgumentArea AreaFromPacked(const PackedArguments& packed);

struct SharedInstanceBlock {
  uint32_t listenerThreadId = 0;
  uint32_t primaryProcessId = 0;
  uint32_t handoverMessage = 0;
  ArgumentArea argumentArea{};
};

std::array<uint8_t, kSharedBlockSize> EncodeSharedBlock(const SharedInstanceBlock& block);
SharedInstanceBlock DecodeSharedBlock(const std::array<uint8_t, kSharedBlockSize>& bytes);

// One 32-bit field of the record, little-endian whatever the host.
uint32_t LoadField(const uint8_t* block, size_t offset);
void StoreField(uint8_t* block, size_t offset, uint32_t value);

} // namespace launcher
