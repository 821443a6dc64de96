#include "base/string_table.h"

#include "base/text.h"
#include "base/windows_api.h"

namespace launcher {

std::wstring LoadResourceString(int id) {
  if (id < 0 || id > 0xFFFF) {
    return std::wstring();
  }
  HRSRC info = FindResourceExW(nullptr, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1),
                               MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
  if (info == nullptr) {
    return std::wstring();
  }
  HGLOBAL loaded = LoadResource(nullptr, info);
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr) {
    return std::wstring();
  }
  const size_t units = SizeofResource(nullptr, info) / sizeof(uint16_t);
  return FromUtf16(StringFromTableBlock(static_cast<const uint16_t*>(data), units, id % 16));
}

} // namespace launcher
