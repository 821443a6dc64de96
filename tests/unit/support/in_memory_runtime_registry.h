#pragma once

// A registry of Java runtimes held in memory, which records every key the search opens.

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "jvm/discovery/runtime_registry.h"

namespace launcher::test {

class InMemoryRuntimeRegistry : public RuntimeRegistry {
public:
  // A version key under a vendor key; without javaHome the key has no "JavaHome" value.
  void Add(const std::wstring& vendorKey, const std::wstring& versionKey,
           std::optional<std::wstring> javaHome, bool use32BitView = false);

  std::vector<std::wstring> ListVersionKeys(const std::wstring& vendorKey,
                                            bool use32BitView) override;
  std::optional<std::wstring> QueryJavaHome(const std::wstring& vendorKey,
                                            const std::wstring& versionKey,
                                            bool use32BitView) override;

  // Whether the search opened the key, or any key below it, in either view.
  bool WasOpened(const std::wstring& vendorKey) const;
  // Whether the search opened anything in the 32-bit view.
  bool Opened32BitView() const;

private:
  struct VersionKey {
    std::wstring name;
    std::optional<std::wstring> javaHome;
  };
  std::map<std::pair<std::wstring, bool>, std::vector<VersionKey>> keys_;
  std::vector<std::pair<std::wstring, bool>> opened_;
};

} // namespace launcher::test
