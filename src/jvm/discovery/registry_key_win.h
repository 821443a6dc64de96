#pragma once

// A read-only key under HKEY_LOCAL_MACHINE (or HKEY_CURRENT_USER). Included only by *_win.cpp
// files.

#include <optional>
#include <string>
#include <vector>

#include "base/scoped_handle_win.h"
#include "jvm/discovery/runtime_registry.h"

namespace launcher {

class RegistryKey {
public:
  // Opens the key with KEY_READ, plus KEY_WOW64_32KEY for the 32-bit view, in which the keys
  // that 32-bit installers wrote are found on a 64-bit system. On failure the key stays
  // closed and reads as empty. The user's tree is shared by both views on 64-bit Windows, so
  // the view changes nothing there.
  RegistryKey(const std::wstring& path, bool use32BitView,
              RegistryHive hive = RegistryHive::kLocalMachine);

  bool IsOpen() const { return handle_.valid(); }
  const std::wstring& path() const { return path_; }

  // The names of the subkeys, in enumeration order, up to the first failure of the
  // enumeration (normally the end of the list).
  std::vector<std::wstring> ListSubkeys() const;

  // A value as text (registry_text.h: UTF-16 up to the first NUL or the end, whatever the
  // value's registry type). Nothing when the value is missing or holds no bytes.
  std::optional<std::wstring> QueryText(const std::wstring& valueName) const;

private:
  ScopedRegistryKey handle_;
  std::wstring path_;
};

} // namespace launcher
