#pragma once

// The registry of installed Java runtimes, in the shape the Java vendors' installers give it
// on Windows: vendor keys under HKEY_LOCAL_MACHINE, one subkey per installed version, each
// with a "JavaHome" value, seen in the native or the 32-bit view. The keys of today's
// runtimes (modern_runtime_search.h) have other shapes and may also lie under
// HKEY_CURRENT_USER: they are read through the general questions below.
//
// Windows: the real registry (runtime_registry_win.cpp). Linux: the runtimes installed
// in the system's runtime folders, presented in the same shape (runtime_folder_registry.h).
// Tests put an in-memory registry in its place.

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace launcher {

// The vendor keys, as the vendors' installers name them.
extern const wchar_t* const kJavaSoftJdkKey;
extern const wchar_t* const kJavaSoftJreKey;
extern const wchar_t* const kJrockitJreKey;
extern const wchar_t* const kJrockitJdkKey;
extern const wchar_t* const kIbmJreKey;

// The two trees of the registry that hold runtimes: the machine's, and the user's for
// per-user installs.
enum class RegistryHive { kLocalMachine, kCurrentUser };

class RuntimeRegistry {
public:
  virtual ~RuntimeRegistry() = default;

  // The names of the subkeys of a vendor key, in enumeration order; empty when the key
  // cannot be opened.
  virtual std::vector<std::wstring> ListVersionKeys(const std::wstring& vendorKey,
                                                    bool use32BitView) = 0;

  // The "JavaHome" value of the key vendorKey + versionKey. Nothing when the key or the value
  // is missing or holds no bytes; the text ends at its first NUL.
  virtual std::optional<std::wstring> QueryJavaHome(const std::wstring& vendorKey,
                                                    const std::wstring& versionKey,
                                                    bool use32BitView) = 0;

  // Any key of either tree: the names of its subkeys in enumeration order (empty when it
  // cannot be opened), and one value as text (nothing when the key or the value is missing
  // or holds no bytes). A registry without such keys (the Linux runtime folders) keeps these
  // answers.
  virtual std::vector<std::wstring> ListSubkeys(RegistryHive /*hive*/, const std::wstring& /*key*/,
                                                bool /*use32BitView*/) {
    return {};
  }
  virtual std::optional<std::wstring> QueryText(RegistryHive /*hive*/, const std::wstring& /*key*/,
                                                const std::wstring& /*valueName*/,
                                                bool /*use32BitView*/) {
    return std::nullopt;
  }
};

// The registry this platform's launcher searches.
std::unique_ptr<RuntimeRegistry> OpenSystemRuntimeRegistry();

} // namespace launcher
