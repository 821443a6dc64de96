// Ranking and choosing among registry runtimes, against an in-memory registry whose Java
// homes are real folders with (empty) VM library files.

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

#include "base/platform.h"
#include "base/text.h"
#include "jvm/discovery/runtime_search.h"
#include "unit/support/discovery_fixtures.h"
#include "unit/support/in_memory_runtime_registry.h"

namespace launcher {
namespace {

using test::DiscoveryTempFolder;
using test::InMemoryRuntimeRegistry;

constexpr JvmKind kClient = JvmKind::kClient;
constexpr JvmKind kServer = JvmKind::kServer;

// One version key of the registry and the runtime folder its JavaHome names.
struct Entry {
  const wchar_t* vendorKey;
  const wchar_t* version;
  const char* home; // nullptr: no JavaHome value; "": an empty one
  std::vector<JvmKind> vms;
  const char* vmFolder = ""; // the folder inside the home that holds the VM libraries
  bool use32BitView = false;
};

Entry Jre(const wchar_t* version, const char* home, std::vector<JvmKind> vms = {kClient}) {
  return {kJavaSoftJreKey, version, home, std::move(vms)};
}
Entry Jdk(const wchar_t* version, const char* home, std::vector<JvmKind> vms = {kClient}) {
  return {kJavaSoftJdkKey, version, home, std::move(vms), "jre"};
}
Entry Key(const wchar_t* key, const wchar_t* version, const char* home,
          std::vector<JvmKind> vms = {kClient}, const char* vmFolder = "") {
  return {key, version, home, std::move(vms), vmFolder};
}
Entry In32BitView(Entry entry) {
  entry.use32BitView = true;
  return entry;
}

using Adjust = std::function<void(LauncherSettings&)>;

LauncherSettings AnyVersion() {
  LauncherSettings settings;
  settings.minimumVersion = kAnyMinimumVersion;
  settings.maximumVersion = kAnyMaximumVersion;
  return settings;
}

struct SelectionCase {
  const char* name;
  std::vector<Entry> entries;
  Adjust adjust;
  const char* expectedHome; // relative, "/"-separated, ending in "/"; nullptr: nothing found
  bool expectRelaunch = false;
};

void Preferred(LauncherSettings& s, const wchar_t* list) {
  s.preferredVersions = SplitList(list, L';');
}

const Entry kThreeJres[] = {Jre(L"1.6.0_45", "jre6"), Jre(L"1.8.0_151", "jre8"),
                            Jre(L"1.7.0_80", "jre7")};
const std::vector<Entry> kJres(std::begin(kThreeJres), std::end(kThreeJres));

class RegistrySelectionTest : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(RegistrySelectionTest, ChoosesTheExpectedRuntime) {
  DiscoveryTempFolder folder;
  InMemoryRuntimeRegistry registry;
  for (const Entry& entry : GetParam().entries) {
    std::optional<std::wstring> javaHome;
    if (entry.home != nullptr) {
      javaHome = std::wstring();
      if (*entry.home != '\0') {
        javaHome = folder.MakeFolder(entry.home);
        for (JvmKind kind : entry.vms) {
          folder.MakeRuntime(*entry.vmFolder ? std::string(entry.home) + "/" + entry.vmFolder
                                             : entry.home,
                             {kind});
        }
      }
    }
    registry.Add(entry.vendorKey, entry.version, javaHome, entry.use32BitView);
  }
  LauncherSettings settings = AnyVersion();
  if (GetParam().adjust) {
    GetParam().adjust(settings);
  }
  // The native view first, then the 32-bit one, as the search over all sources does.
  std::optional<RegistrySearchResult> result = SearchRegistry(registry, settings, false);
  if (!result) {
    result = SearchRegistry(registry, settings, true);
  }
  if (GetParam().expectedHome == nullptr) {
    EXPECT_FALSE(result) << ToUtf8(result->javaHome);
    return;
  }
  ASSERT_TRUE(result);
  EXPECT_EQ(result->javaHome, folder.Join(GetParam().expectedHome));
  EXPECT_EQ(result->relaunchPaired, GetParam().expectRelaunch);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegistrySelectionTest,
    ::testing::Values(
        SelectionCase{"highestVersionWins", kJres, nullptr, "jre8/"},
        SelectionCase{"preferredEntryPicksItsFamily", kJres,
                      [](LauncherSettings& s) { Preferred(s, L"1.7"); }, "jre7/"},
        SelectionCase{"listOrderBeatsRanking", kJres,
                      [](LauncherSettings& s) { Preferred(s, L"1.6;1.8"); }, "jre6/"},
        SelectionCase{"unmatchedListFallsBackToRanking", kJres,
                      [](LauncherSettings& s) { Preferred(s, L"11;1.5"); }, "jre8/"},
        SelectionCase{"emptyPreferredEntryMatchesTheFirstRanked", kJres,
                      [](LauncherSettings& s) { Preferred(s, L";1.6"); }, "jre8/"},
        SelectionCase{
            "preferredEntryTakesTheHighestOfItsFamily",
            {Jre(L"1.8.0_20", "jre8a"), Jre(L"1.8.0_151", "jre8b"), Jre(L"9.0.4", "jre9")},
            [](LauncherSettings& s) { Preferred(s, L"1.8"); },
            "jre8b/"},
        SelectionCase{"maximumFilledWith65535AdmitsUpdates",
                      {Jre(L"1.5.0_22", "jre5"), Jre(L"1.8.0_151", "jre8"), Jre(L"9.0.4", "jre9")},
                      [](LauncherSettings& s) {
                        s.minimumVersion = ParseVersion(L"1.6", 0);
                        s.maximumVersion = ParseVersion(L"1.8", 65535);
                      },
                      "jre8/"},
        SelectionCase{"nothingInRange",
                      {Jre(L"1.5.0_22", "jre5"), Jre(L"9.0.4", "jre9")},
                      [](LauncherSettings& s) {
                        s.minimumVersion = ParseVersion(L"1.6", 0);
                        s.maximumVersion = ParseVersion(L"1.8", 65535);
                      },
                      nullptr},
        SelectionCase{"emptyMaximumAdmitsOnlyVersionZero",
                      {Jre(L"1.8.0_151", "jre8"), Jre(L"current", "unnumbered")},
                      [](LauncherSettings& s) { s.maximumVersion = JavaVersion{}; },
                      "unnumbered/"},
        SelectionCase{"favoredJdkBeatsNewerJre",
                      {Jdk(L"1.7.0_80", "jdk7"), Jre(L"1.8.0_151", "jre8")},
                      [](LauncherSettings& s) { ApplyJvmSource(L"favor_JDK", s); },
                      "jdk7/jre/"},
        SelectionCase{"equalVersionsKeepEnumerationOrder",
                      {Jre(L"1.8.0_151", "first"), Jre(L"1.8.0.151", "second")},
                      nullptr,
                      "first/"},
        SelectionCase{"jdkWithoutJreFolderIsNoCandidate",
                      {Key(kJavaSoftJdkKey, L"11.0.2", "jdk11"), Jre(L"1.8.0_151", "jre8")},
                      nullptr,
                      "jre8/"},
        SelectionCase{"favoredVendorAndKindBeatNewerVersion",
                      {Key(kIbmJreKey, L"1.7.0", "ibm7"), Jre(L"1.8.0_151", "jre8")},
                      [](LauncherSettings& s) {
                        ApplyVmProvider(L"favor_ibm", s);
                        ApplyJvmSource(L"favor_JRE", s);
                      },
                      "ibm7/"},
        SelectionCase{"missingAndEmptyJavaHomeAreSkipped",
                      {Jre(L"9.0.4", nullptr), Jre(L"10.0.1", ""), Jre(L"1.8.0_151", "jre8")},
                      nullptr,
                      "jre8/"},
        SelectionCase{"homeWithoutVmLibraryIsSkipped",
                      {Jre(L"9.0.4", "empty9", {}), Jre(L"1.8.0_151", "jre8")},
                      nullptr,
                      "jre8/"},
        SelectionCase{"serverOnlyRejectsClientHomes",
                      {Jre(L"1.8.0_151", "client8"), Jre(L"1.7.0_80", "server7", {kServer})},
                      [](LauncherSettings& s) { s.jvmType = kJvmTypeServer; },
                      "server7/"},
        SelectionCase{"favorServerRanksServerAboveNewerVersions",
                      {Jdk(L"1.8.0_151", "client8"), Jdk(L"1.7.0_80", "server7", {kServer})},
                      [](LauncherSettings& s) { s.jvmType = kJvmTypeFavorServer; },
                      "server7/jre/"},
        // The JRE key is probed client first even under favor_server, so a JRE that has
        // both VMs does not count as a server one.
        SelectionCase{"favorServerProbesJreKeysClientFirst",
                      {Jre(L"1.8.0_151", "both8", {kClient, kServer}),
                       Jre(L"1.7.0_80", "server7", {kServer})},
                      [](LauncherSettings& s) { s.jvmType = kJvmTypeFavorServer; },
                      "server7/"},
        SelectionCase{"preferredKindOutranksServerVm",
                      {Jdk(L"1.6.0", "jdk6"), Jre(L"1.8.0_151", "server8", {kServer})},
                      [](LauncherSettings& s) {
                        s.jvmType = kJvmTypeFavorServer;
                        ApplyJvmSource(L"favor_JDK", s);
                      },
                      "jdk6/jre/"},
        SelectionCase{"thirtyTwoBitViewWithPairedProgram",
                      {In32BitView(Jre(L"1.8.0_151", "x86jre8"))},
                      [](LauncherSettings& s) { s.pairProduct = L"paired"; },
                      "x86jre8/",
                      true},
        SelectionCase{"thirtyTwoBitViewNeedsAPairedProgram",
                      {In32BitView(Jre(L"1.8.0_151", "x86jre8"))},
                      nullptr,
                      nullptr},
        SelectionCase{"nativeViewComesFirst",
                      {In32BitView(Jre(L"9.0.4", "x86jre9")), Jre(L"1.8.0_151", "jre8")},
                      [](LauncherSettings& s) { s.pairProduct = L"paired"; },
                      "jre8/",
                      false}),
    [](const auto& info) { return std::string(info.param.name); });

// Keys that the settings exclude are never opened, not merely ignored.
struct OpenedKeysCase {
  const char* name;
  Adjust adjust;
  std::vector<const wchar_t*> opened;
};

class VendorKeyConditionTest : public ::testing::TestWithParam<OpenedKeysCase> {};

TEST_P(VendorKeyConditionTest, OpensOnlyTheKeysTheSettingsAdmit) {
  InMemoryRuntimeRegistry registry;
  LauncherSettings settings = AnyVersion();
  if (GetParam().adjust) {
    GetParam().adjust(settings);
  }
  SearchRegistry(registry, settings, false);
  for (const VendorKey& key : VendorKeys()) {
    const auto& opened = GetParam().opened;
    const bool expected = std::find_if(opened.begin(), opened.end(), [&](const wchar_t* path) {
                            return std::wstring(path) == key.path;
                          }) != opened.end();
    EXPECT_EQ(registry.WasOpened(key.path), expected) << ToUtf8(key.path);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, VendorKeyConditionTest,
    ::testing::Values(OpenedKeysCase{"defaults", nullptr, {kJavaSoftJdkKey, kJavaSoftJreKey}},
                      OpenedKeysCase{"onlyJre",
                                     [](LauncherSettings& s) { ApplyJvmSource(L"only_JRE", s); },
                                     {kJavaSoftJreKey}},
                      OpenedKeysCase{"unknownSourceOpensNothing",
                                     [](LauncherSettings& s) { ApplyJvmSource(L"favour_JDK", s); },
                                     {}},
                      OpenedKeysCase{"anyVendor",
                                     [](LauncherSettings& s) { ApplyVmProvider(L"any", s); },
                                     {kJavaSoftJdkKey, kJavaSoftJreKey, kJrockitJreKey,
                                      kJrockitJdkKey, kIbmJreKey}},
                      OpenedKeysCase{"ibmHasNoJdkKey",
                                     [](LauncherSettings& s) {
                                       ApplyVmProvider(L"ibm", s);
                                       ApplyJvmSource(L"only_JDK", s);
                                     },
                                     {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RegistrySearchTest, ThirtyTwoBitViewIsNotOpenedWithoutAPairedProgram) {
  InMemoryRuntimeRegistry registry;
  LauncherSettings settings = AnyVersion();
  EXPECT_FALSE(SearchRegistry(registry, settings, true));
  EXPECT_FALSE(registry.Opened32BitView());
  settings.pairProduct = L"paired";
  EXPECT_FALSE(SearchRegistry(registry, settings, true));
  EXPECT_TRUE(registry.Opened32BitView());
}

} // namespace
} // namespace launcher
