#include "jvm/discovery/registry_key_win.h"

#include <algorithm>

#include "jvm/discovery/registry_text.h"

namespace launcher {
namespace {

// The registry's longest key name, plus its terminator.
constexpr DWORD kKeyNameUnits = 256;

} // namespace

RegistryKey::RegistryKey(const std::wstring& path, bool use32BitView, RegistryHive hive)
    : path_(path) {
  const REGSAM access = KEY_READ | (use32BitView ? KEY_WOW64_32KEY : 0);
  const HKEY root = hive == RegistryHive::kCurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, access, &key) == ERROR_SUCCESS) {
    handle_.reset(key);
  }
}

std::vector<std::wstring> RegistryKey::ListSubkeys() const {
  std::vector<std::wstring> names;
  if (!IsOpen()) {
    return names;
  }
  wchar_t name[kKeyNameUnits];
  for (DWORD index = 0;; ++index) {
    DWORD units = kKeyNameUnits;
    if (RegEnumKeyExW(handle_.get(), index, name, &units, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    names.emplace_back(name, units);
  }
  return names;
}

std::optional<std::wstring> RegistryKey::QueryText(const std::wstring& valueName) const {
  if (!IsOpen()) {
    return std::nullopt;
  }
  DWORD bytes = 0;
  if (RegQueryValueExW(handle_.get(), valueName.c_str(), nullptr, nullptr, nullptr, &bytes) !=
          ERROR_SUCCESS ||
      bytes == 0) {
    return std::nullopt;
  }
  // Another writer may grow the value between the two calls: ask again with the new size.
  std::string data;
  LONG status = ERROR_MORE_DATA;
  for (int attempt = 0; attempt < 4 && status == ERROR_MORE_DATA; ++attempt) {
    data.assign(bytes, '\0');
    DWORD got = bytes;
    status = RegQueryValueExW(handle_.get(), valueName.c_str(), nullptr, nullptr,
                              reinterpret_cast<BYTE*>(data.data()), &got);
    if (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
      bytes = got;
    }
  }
  if (status != ERROR_SUCCESS || bytes == 0) {
    return std::nullopt;
  }
  data.resize(std::min<size_t>(data.size(), bytes));
  // wchar_t holds UTF-16 units here: copied unit by unit, even unpaired surrogates.
  const std::u16string text = RegistryValueText(data);
  return std::wstring(text.begin(), text.end());
}

} // namespace launcher
