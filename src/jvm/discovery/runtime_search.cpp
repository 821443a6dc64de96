#include "jvm/discovery/runtime_search.h"

#include <utility>

#include "base/files.h"
#include "base/path_rules.h"
#include "base/trace.h"
#include "jvm/discovery/image_file.h"
#include "jvm/discovery/jvm_layout.h"
#include "jvm/discovery/modern_runtime_search.h"
#include "jvm/discovery/release_file.h"

namespace launcher {
namespace {

// Probe order without a server preference.
constexpr JvmKind kProbeOrder[] = {JvmKind::kClient, JvmKind::kClassic, JvmKind::kHotspot,
                                   JvmKind::kServer, JvmKind::kJrockit};

std::optional<std::wstring> FirstExisting(const std::wstring& home, JvmKind kind) {
  for (const std::wstring& name : JvmLibraryNames(kind)) {
    std::wstring path = home + name;
    if (IsRegularFile(path)) {
      return path;
    }
  }
  return std::nullopt;
}

bool IsFavored(RuntimeVendor vendor, const LauncherSettings& settings) {
  switch (vendor) {
  case RuntimeVendor::kSun:
    return settings.sunFavored;
  case RuntimeVendor::kJrockit:
    return settings.jrockitFavored;
  case RuntimeVendor::kIbm:
    return settings.ibmFavored;
  }
  return false;
}

bool IsAllowed(RuntimeVendor vendor, const LauncherSettings& settings) {
  switch (vendor) {
  case RuntimeVendor::kSun:
    return settings.sunAllowed;
  case RuntimeVendor::kJrockit:
    return settings.jrockitAllowed;
  case RuntimeVendor::kIbm:
    return settings.ibmAllowed;
  }
  return false;
}

// Whether b must come before a.
bool ComesBefore(const JvmCandidate& b, const JvmCandidate& a, int32_t jvmType, bool favorKind) {
  bool before = CompareVersions(a.version, b.version) == -1;
  if (jvmType == kJvmTypeFavorServer && a.hasServerVm != b.hasServerVm) {
    before = b.hasServerVm;
  }
  if (favorKind && a.preferred != b.preferred) {
    before = b.preferred;
  }
  return before;
}

} // namespace

bool IsInVersionRange(const JavaVersion& version, const LauncherSettings& settings) {
  return CompareVersions(settings.minimumVersion, version) <= 0 &&
         CompareVersions(version, settings.maximumVersion) <= 0;
}

FoundJvmLibrary FindJvmLibrary(const std::wstring& home, int32_t jvmType) {
  if (jvmType == kJvmTypeServer || jvmType == kJvmTypeFavorServer) {
    if (std::optional<std::wstring> path = FirstExisting(home, JvmKind::kServer)) {
      return {std::move(*path), true};
    }
    if (jvmType == kJvmTypeServer) {
      return {};
    }
  }
  for (JvmKind kind : kProbeOrder) {
    if (std::optional<std::wstring> path = FirstExisting(home, kind)) {
      return {std::move(*path), kind == JvmKind::kServer};
    }
  }
  return {};
}

std::wstring FindShippedRuntime(const std::wstring& modulePath) {
  const std::wstring folder = FolderWithSeparator(modulePath);
  if (IsRegularFile(folder + ShippedRuntimeMarker())) {
    return folder;
  }
  const std::wstring bundled = folder + ShippedRuntimeFolder();
  if (IsRegularFile(bundled + ShippedRuntimeMarker())) {
    return bundled;
  }
  return std::wstring();
}

const std::vector<VendorKey>& VendorKeys() {
  static const std::vector<VendorKey> keys = {
      {kJavaSoftJdkKey, true, RuntimeVendor::kSun},
      {kJavaSoftJreKey, false, RuntimeVendor::kSun},
      {kJrockitJreKey, false, RuntimeVendor::kJrockit},
      {kJrockitJdkKey, true, RuntimeVendor::kJrockit},
      {kIbmJreKey, false, RuntimeVendor::kIbm},
  };
  return keys;
}

bool IsVendorKeySearched(const VendorKey& key, const LauncherSettings& settings) {
  const bool kindWanted = settings.favorKind || (key.isJdk ? settings.jdkKind : settings.jreKind);
  const bool vendorWanted = IsAllowed(key.vendor, settings) || IsFavored(key.vendor, settings);
  return kindWanted && vendorWanted;
}

std::optional<JavaHomeProbe> ReadJavaHome(RuntimeRegistry& registry, const VendorKey& key,
                                          const std::wstring& versionKey, bool use32BitView,
                                          int32_t jvmType) {
  const std::optional<std::wstring> value =
      registry.QueryJavaHome(key.path, versionKey, use32BitView);
  // A value that is present but empty names no folder; taken as it stands it would send the
  // probe to the root of the current drive.
  if (!value || value->empty()) {
    return std::nullopt;
  }
  std::wstring home = EnsureTrailingSeparator(*value);
  if (key.isJdk) {
    home += JdkRuntimeFolder();
  }
  const bool isSunJre = key.path == std::wstring_view(kJavaSoftJreKey);
  const int32_t probeType = isSunJre && jvmType == kJvmTypeFavorServer ? kJvmTypeAny : jvmType;
  const FoundJvmLibrary library = FindJvmLibrary(home, probeType);
  if (library.path.empty()) {
    return std::nullopt;
  }
  return JavaHomeProbe{std::move(home), library.isServer};
}

void ScanVendorKey(RuntimeRegistry& registry, const VendorKey& key,
                   const LauncherSettings& settings, bool use32BitView,
                   std::vector<JvmCandidate>& candidates) {
  for (const std::wstring& name : registry.ListVersionKeys(key.path, use32BitView)) {
    const JavaVersion version = ParseVersion(name, 0);
    if (!IsInVersionRange(version, settings)) {
      Trace(L"  candidate ", name, L": refused, version out of range");
      continue;
    }
    std::optional<JavaHomeProbe> probe =
        ReadJavaHome(registry, key, name, use32BitView, settings.jvmType);
    if (!probe) {
      Trace(L"  candidate ", name, L": refused, no JavaHome or no VM library of the kind asked");
      continue;
    }
    Trace(L"  candidate ", name, L": admitted, ", probe->javaHome);
    JvmCandidate candidate;
    candidate.version = version;
    candidate.javaHome = std::move(probe->javaHome);
    candidate.hasServerVm = probe->hasServerVm;
    candidate.preferred =
        (key.isJdk ? settings.jdkKind : settings.jreKind) && IsFavored(key.vendor, settings);
    candidate.ibm = key.vendor == RuntimeVendor::kIbm;
    candidates.push_back(std::move(candidate));
  }
}

void SortCandidates(std::vector<JvmCandidate>& candidates, int32_t jvmType, bool favorKind) {
  // A bubble sort: it swaps only when one must come before the other, so equal candidates
  // keep the order in which they were found.
  const size_t count = candidates.size();
  for (size_t pass = 0; pass < count; ++pass) {
    for (size_t i = 0; i + 1 < count; ++i) {
      if (ComesBefore(candidates[i + 1], candidates[i], jvmType, favorKind)) {
        std::swap(candidates[i], candidates[i + 1]);
      }
    }
  }
}

std::optional<JvmCandidate> SelectCandidate(std::vector<JvmCandidate> candidates,
                                            const LauncherSettings& settings) {
  if (candidates.empty()) {
    return std::nullopt;
  }
  SortCandidates(candidates, settings.jvmType, settings.favorKind);
  for (const std::wstring& entry : settings.preferredVersions) {
    const JavaVersion preferred = ParseVersion(entry, 0);
    for (const JvmCandidate& candidate : candidates) {
      if (MatchesPreferred(candidate.version, preferred)) {
        return candidate;
      }
    }
  }
  return candidates.front();
}

std::optional<RegistrySearchResult>
SearchRegistry(RuntimeRegistry& registry, const LauncherSettings& settings, bool use32BitView) {
  if (use32BitView && settings.pairProduct.empty()) {
    return std::nullopt;
  }
  Trace(L"search installed runtimes, ", use32BitView ? L"32-bit view" : L"native view");
  std::vector<JvmCandidate> candidates;
  for (const VendorKey& key : VendorKeys()) {
    const bool searched = IsVendorKeySearched(key, settings);
    Trace(L" key ", key.path, searched ? L"" : L": not searched, kind or vendor not wanted");
    if (searched) {
      ScanVendorKey(registry, key, settings, use32BitView, candidates);
    }
  }
  std::optional<JvmCandidate> chosen = SelectCandidate(std::move(candidates), settings);
  if (!chosen) {
    return std::nullopt;
  }
  Trace(L"  ranked first: ", chosen->javaHome);
  return RegistrySearchResult{std::move(chosen->javaHome), use32BitView, chosen->ibm};
}

bool CheckPairedRelaunch(const std::wstring& jvmDllPath, const std::wstring& pairProduct) {
  return !pairProduct.empty() && IsX86ImageFile(jvmDllPath);
}

std::optional<RuntimeSearchResult>
SearchForRuntime(const LauncherSettings& settings, const std::optional<std::wstring>& modulePath,
                 RuntimeRegistry& registry,
                 const std::optional<ModernRuntimeSources>& modernSources) {
  if (!settings.jrePath.empty()) {
    const std::wstring home = EnsureTrailingSeparator(settings.jrePath);
    const FoundJvmLibrary library = FindJvmLibrary(home, settings.jvmType);
    Trace(L"search \"JRE Path\" ", home,
          library.path.empty() ? L": no VM library of the kind asked" : L": found");
    if (!library.path.empty()) {
      const bool relaunch = CheckPairedRelaunch(library.path, settings.pairProduct);
      return RuntimeSearchResult{library.path, relaunch, RuntimeSource::kJrePath,
                                 IsIbmRuntimeHome(home)};
    }
  }
  if (modulePath) {
    // A shipped runtime is the application's own choice: it is never handed to the paired
    // program.
    const std::wstring home = FindShippedRuntime(*modulePath);
    const FoundJvmLibrary library = FindJvmLibrary(home, settings.jvmType);
    Trace(L"search shipped runtime: ", library.path.empty() ? L"none" : library.path.c_str());
    if (!library.path.empty()) {
      return RuntimeSearchResult{library.path, false, RuntimeSource::kShippedRuntime,
                                 IsIbmRuntimeHome(home)};
    }
  }
  std::optional<RegistrySearchResult> found = SearchRegistry(registry, settings, false);
  if (!found) {
    found = SearchRegistry(registry, settings, true);
  }
  if (found) {
    const FoundJvmLibrary library = FindJvmLibrary(found->javaHome, settings.jvmType);
    if (!library.path.empty()) {
      return RuntimeSearchResult{library.path, found->relaunchPaired,
                                 found->relaunchPaired ? RuntimeSource::kRegistry32BitView
                                                       : RuntimeSource::kRegistry,
                                 found->ibm};
    }
  }
  if (!settings.searchModernRuntimes) {
    return std::nullopt;
  }
  return SearchModernRuntimes(
      registry, modernSources ? *modernSources : SystemModernRuntimeSources(), settings);
}

} // namespace launcher
