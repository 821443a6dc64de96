#include "jvm/discovery/runtime_registry.h"

#include "jvm/discovery/registry_key_win.h"

namespace launcher {
namespace {

// The vendors' keys under HKEY_LOCAL_MACHINE (and, for today's runtimes, HKEY_CURRENT_USER),
// read through RegistryKey.
class WindowsRuntimeRegistry : public RuntimeRegistry {
public:
  std::vector<std::wstring> ListVersionKeys(const std::wstring& vendorKey,
                                            bool use32BitView) override {
    return RegistryKey(vendorKey, use32BitView).ListSubkeys();
  }

  std::optional<std::wstring> QueryJavaHome(const std::wstring& vendorKey,
                                            const std::wstring& versionKey,
                                            bool use32BitView) override {
    return RegistryKey(vendorKey + versionKey, use32BitView).QueryText(L"JavaHome");
  }

  std::vector<std::wstring> ListSubkeys(RegistryHive hive, const std::wstring& key,
                                        bool use32BitView) override {
    return RegistryKey(key, use32BitView, hive).ListSubkeys();
  }

  std::optional<std::wstring> QueryText(RegistryHive hive, const std::wstring& key,
                                        const std::wstring& valueName, bool use32BitView) override {
    return RegistryKey(key, use32BitView, hive).QueryText(valueName);
  }
};

} // namespace

std::unique_ptr<RuntimeRegistry> OpenSystemRuntimeRegistry() {
  return std::make_unique<WindowsRuntimeRegistry>();
}

} // namespace launcher
