#pragma once

// The registry of installed Java runtimes, in the shape the Java vendors' installers give it
// on Windows: vendor keys under HKEY_LOCAL_MACHINE, one subkey per installed version, each
// with a "JavaHome" value, seen in the native or the 32-bit view.
//
// Windows: the real registry (system_runtime_registry_win.cpp). Linux: the runtimes installed
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
};

// The registry this platform's launcher searches.
std::unique_ptr<RuntimeRegistry> OpenSystemRuntimeRegistry();

} // namespace launcher
