#include "unit/support/in_memory_runtime_registry.h"

#include "base/text.h"

namespace launcher::test {

void InMemoryRuntimeRegistry::Add(const std::wstring& vendorKey, const std::wstring& versionKey,
                                  std::optional<std::wstring> javaHome, bool use32BitView) {
  keys_[{vendorKey, use32BitView}].push_back({versionKey, std::move(javaHome)});
}

std::vector<std::wstring> InMemoryRuntimeRegistry::ListVersionKeys(const std::wstring& vendorKey,
                                                                   bool use32BitView) {
  opened_.emplace_back(vendorKey, use32BitView);
  std::vector<std::wstring> names;
  const auto found = keys_.find({vendorKey, use32BitView});
  if (found != keys_.end()) {
    for (const VersionKey& key : found->second) {
      names.push_back(key.name);
    }
  }
  return names;
}

std::optional<std::wstring> InMemoryRuntimeRegistry::QueryJavaHome(const std::wstring& vendorKey,
                                                                   const std::wstring& versionKey,
                                                                   bool use32BitView) {
  opened_.emplace_back(vendorKey + versionKey, use32BitView);
  const auto found = keys_.find({vendorKey, use32BitView});
  if (found != keys_.end()) {
    for (const VersionKey& key : found->second) {
      if (key.name == versionKey) {
        return key.javaHome;
      }
    }
  }
  return std::nullopt;
}

bool InMemoryRuntimeRegistry::WasOpened(const std::wstring& vendorKey) const {
  for (const auto& open : opened_) {
    if (StartsWith(open.first, vendorKey)) {
      return true;
    }
  }
  return false;
}

bool InMemoryRuntimeRegistry::Opened32BitView() const {
  for (const auto& open : opened_) {
    if (open.second) {
      return true;
    }
  }
  return false;
}

} // namespace launcher::test
