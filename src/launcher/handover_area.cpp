#include "launcher/handover_area.h"

#include <algorithm>

#include "base/text.h"

namespace launcher {

std::optional<PackedArguments> PackArguments(const std::vector<std::wstring>& arguments) {
  PackedArguments packed{};
  size_t at = 0;
  for (const std::wstring& argument : arguments) {
    const std::u16string units = ToUtf16(argument);
    // Its units and its NUL, with room left for the list's final NUL (`at` stays even).
    if (units.size() + 1 > (kPackedArgumentsSize - 2 - at) / 2) {
      return std::nullopt;
    }
    for (char16_t unit : units) {
      packed[at++] = static_cast<uint8_t>(unit & 0xFF);
      packed[at++] = static_cast<uint8_t>(unit >> 8);
    }
    at += 2;
  }
  return packed;
}

std::vector<std::wstring> ReadArguments(const ArgumentArea& area) {
  const auto unitAt = [&area](size_t index) {
    return static_cast<char16_t>(area[2 * index] | (area[2 * index + 1] << 8));
  };
  std::vector<std::wstring> arguments;
  std::u16string current;
  for (size_t index = 0; index < kArgumentScanUnits; ++index) {
    const char16_t unit = unitAt(index);
    if (unit != 0) {
      current.push_back(unit);
      continue;
    }
    arguments.push_back(FromUtf16(current));
    current.clear();
    // The unit after the last scanned one is still inside the record.
    if (unitAt(index + 1) == 0) {
      break;
    }
  }
  return arguments;
}

ArgumentArea AreaFromPacked(const PackedArguments& packed) {
  ArgumentArea area{};
  std::copy(packed.begin(), packed.end(), area.begin());
  return area;
}

uint32_t LoadField(const uint8_t* block, size_t offset) {
  return static_cast<uint32_t>(block[offset]) | static_cast<uint32_t>(block[offset + 1]) << 8 |
         static_cast<uint32_t>(block[offset + 2]) << 16 |
         static_cast<uint32_t>(block[offset + 3]) << 24;
}

void StoreField(uint8_t* block, size_t offset, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) {
    block[offset + i] = static_cast<uint8_t>(value >> (8 * i));
  }
}

std::array<uint8_t, kSharedBlockSize> EncodeSharedBlock(const SharedInstanceBlock& block) {
  std::array<uint8_t, kSharedBlockSize> bytes{};
  StoreField(bytes.data(), kListenerThreadIdOffset, block.listenerThreadId);
  StoreField(bytes.data(), kPrimaryProcessIdOffset, block.primaryProcessId);
  StoreField(bytes.data(), kHandoverMessageOffset, block.handoverMessage);
  std::copy(block.argumentArea.begin(), block.argumentArea.end(),
            bytes.begin() + kArgumentAreaOffset);
  return bytes;
}

SharedInstanceBlock DecodeSharedBlock(const std::array<uint8_t, kSharedBlockSize>& bytes) {
  SharedInstanceBlock block;
  block.listenerThreadId = LoadField(bytes.data(), kListenerThreadIdOffset);
  block.primaryProcessId = LoadField(bytes.data(), kPrimaryProcessIdOffset);
  block.handoverMessage = LoadField(bytes.data(), kHandoverMessageOffset);
  std::copy(bytes.begin() + kArgumentAreaOffset, bytes.end(), block.argumentArea.begin());
  return block;
}

} // namespace launcher
