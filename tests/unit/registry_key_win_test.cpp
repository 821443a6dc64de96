#include "jvm/discovery/registry_key_win.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

#include "base/text.h"

namespace launcher {
namespace {

// A key of its own under HKEY_LOCAL_MACHINE\Software, removed afterwards, in one view.
class RegistryKeyTest : public ::testing::Test {
protected:
  void SetUp() override {
    base = L"Software\\LauncherRegistryKeyTest" + std::to_wstring(GetCurrentProcessId());
  }
  void TearDown() override {
    for (REGSAM view : {REGSAM{0}, REGSAM{KEY_WOW64_32KEY}}) {
      HKEY root = nullptr;
      if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software", 0, KEY_ALL_ACCESS | view, &root) ==
          ERROR_SUCCESS) {
        RegDeleteTreeW(root, base.substr(wcslen(L"Software\\")).c_str());
        RegCloseKey(root);
      }
    }
  }

  // Creates base\path in a view and sets one value of a type, given as raw bytes.
  void Write(const std::wstring& path, bool use32BitView, const wchar_t* name = nullptr,
             DWORD type = REG_SZ, const void* data = nullptr, DWORD bytes = 0) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, (base + path).c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS | (use32BitView ? KEY_WOW64_32KEY : 0), nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    if (name != nullptr) {
      ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes),
                ERROR_SUCCESS);
    }
    RegCloseKey(key);
  }

  std::wstring base;
};

TEST_F(RegistryKeyTest, ListsSubkeysOfBothViewsSeparately) {
  Write(L"\\Vendor\\1.8.0_151", false);
  Write(L"\\Vendor\\1.7.0_80", false);
  Write(L"\\Vendor\\1.6.0_45", true);
  const std::wstring longName(255, L'9');
  Write(L"\\Vendor\\" + longName, false);

  std::vector<std::wstring> native = RegistryKey(base + L"\\Vendor\\", false).ListSubkeys();
  std::sort(native.begin(), native.end());
  EXPECT_EQ(native, (std::vector<std::wstring>{L"1.7.0_80", L"1.8.0_151", longName}));
  EXPECT_EQ(RegistryKey(base + L"\\Vendor", true).ListSubkeys(),
            std::vector<std::wstring>{L"1.6.0_45"});
}

TEST_F(RegistryKeyTest, MissingKeyIsClosedAndEmpty) {
  const RegistryKey key(base + L"\\Absent\\", false);
  EXPECT_FALSE(key.IsOpen());
  EXPECT_TRUE(key.ListSubkeys().empty());
  EXPECT_FALSE(key.QueryText(L"JavaHome"));
}

struct ValueCase {
  const char* name;
  DWORD type;
  std::u16string data; // the value's bytes, as UTF-16 units
  size_t extraByte;    // 1: an odd trailing byte
  std::optional<std::wstring> expected;
};

class RegistryValueTest : public RegistryKeyTest,
                          public ::testing::WithParamInterface<ValueCase> {};

TEST_P(RegistryValueTest, ReadsTextToTheFirstNulOrTheEndWhateverTheType) {
  const ValueCase& c = GetParam();
  std::string bytes(reinterpret_cast<const char*>(c.data.data()), c.data.size() * 2);
  bytes.append(c.extraByte, 'x');
  Write(L"\\Vendor\\9", false, L"JavaHome", c.type, bytes.data(), static_cast<DWORD>(bytes.size()));
  const RegistryKey key(base + L"\\Vendor\\9", false);
  EXPECT_EQ(key.QueryText(L"JavaHome"), c.expected);
  EXPECT_FALSE(key.QueryText(L"Other"));
}

INSTANTIATE_TEST_SUITE_P(
    Values, RegistryValueTest,
    ::testing::Values(
        ValueCase{"terminated", REG_SZ, std::u16string(u"C:\\Java\\jre9\0", 13), 0,
                  L"C:\\Java\\jre9"},
        ValueCase{"embeddedNul", REG_SZ, std::u16string(u"C:\\A\0C:\\B", 9), 0, L"C:\\A"},
        ValueCase{"binaryType", REG_BINARY, u"C:\\Java", 0, L"C:\\Java"},
        ValueCase{"oddLength", REG_BINARY, u"C:\\Java", 1, L"C:\\Java"},
        ValueCase{"long", REG_SZ, std::u16string(5000, u'j'), 0, std::wstring(5000, L'j')},
        ValueCase{"noBytes", REG_SZ, u"", 0, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace launcher
