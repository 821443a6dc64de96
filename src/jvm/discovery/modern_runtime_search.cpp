#include "jvm/discovery/modern_runtime_search.h"

#include <algorithm>
#include <set>
#include <utility>

#include "base/files.h"
#include "base/path_rules.h"
#include "base/platform.h"
#include "base/trace.h"
#include "jvm/discovery/image_file.h"
#include "jvm/discovery/jvm_layout.h"
#include "jvm/discovery/release_file.h"

namespace launcher {
namespace {

constexpr wchar_t kMsiKey[] = L"\\hotspot\\MSI";

// A value in double quotes (JAVA_HOME="C:\Program Files\Java\jdk-21", as some guides write
// it) names the folder inside them.
std::wstring Unquoted(std::wstring value) {
  if (value.size() >= 2 && value.front() == L'"' && value.back() == L'"') {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

bool IsKindWanted(bool isJdk, const LauncherSettings& settings) {
  return settings.favorKind || (isJdk ? settings.jdkKind : settings.jreKind);
}

void ListRegistryHomes(RuntimeRegistry& registry, const LauncherSettings& settings,
                       bool use32BitView, std::vector<NamedRuntimeHome>& homes) {
  for (const ModernRegistryKey& key : ModernRegistryKeys()) {
    if (key.kind != RuntimeKind::kByHome &&
        !IsKindWanted(key.kind == RuntimeKind::kJdk, settings)) {
      continue;
    }
    for (RegistryHive hive : {RegistryHive::kLocalMachine, RegistryHive::kCurrentUser}) {
      for (std::wstring& name : registry.ListSubkeys(hive, key.path, use32BitView)) {
        NamedRuntimeHome named;
        named.origin = NamedRuntimeHome::kRegistry;
        named.hive = hive;
        named.use32BitView = use32BitView;
        named.where = key.path + name + key.valueKey;
        named.home = registry.QueryText(hive, named.where, key.valueName, use32BitView)
                         .value_or(std::wstring());
        named.versionName = std::move(name);
        named.kind = key.kind;
        homes.push_back(std::move(named));
      }
    }
  }
}

NamedRuntimeHome FolderHome(NamedRuntimeHome::Origin origin, std::wstring where,
                            std::wstring home) {
  NamedRuntimeHome named;
  named.origin = origin;
  named.where = std::move(where);
  // The folder's own name, for a home without a release file: jdk-17.0.9+9 still reads as
  // 17.0.9.9.
  std::wstring folder = home;
  while (!folder.empty() && folder.back() == kPathSeparator) {
    folder.pop_back();
  }
  named.versionName = FileNameOf(folder);
  named.home = std::move(home);
  return named;
}

// Reviews one home up to its verdict; `seen` holds the homes reviewed before.
ReviewedRuntime Review(NamedRuntimeHome named, const LauncherSettings& settings,
                       std::set<std::wstring>& seen) {
  ReviewedRuntime reviewed;
  reviewed.named = std::move(named);
  const NamedRuntimeHome& source = reviewed.named;
  if (source.home.empty()) {
    reviewed.verdict = RuntimeVerdict::kNoHome;
    return reviewed;
  }
  const std::wstring home = EnsureTrailingSeparator(source.home);
  if (!seen.insert(home).second) {
    reviewed.verdict = RuntimeVerdict::kSameHomeAsEarlier;
    return reviewed;
  }
  const ReleaseFacts facts = ReadReleaseFile(home);
  reviewed.version =
      ParseVersion(facts.javaVersion.empty() ? source.versionName : facts.javaVersion, 0);
  if (!IsInVersionRange(reviewed.version, settings)) {
    reviewed.verdict = RuntimeVerdict::kOutsideVersionRange;
    return reviewed;
  }
  // Since Java 9 the VM library lies in the home itself; a Java 8 JDK (Temurin's installer
  // registers those too) keeps it in its "jre" folder.
  std::wstring runtimeHome = home;
  FoundJvmLibrary library = FindJvmLibrary(runtimeHome, settings.jvmType);
  if (library.path.empty()) {
    runtimeHome = home + JdkRuntimeFolder();
    library = FindJvmLibrary(runtimeHome, settings.jvmType);
  }
  if (library.path.empty()) {
    reviewed.verdict = RuntimeVerdict::kNoVmLibrary;
    return reviewed;
  }
  reviewed.vmLibrary = library.path;
  reviewed.isJdk = source.kind == RuntimeKind::kJdk ||
                   (source.kind == RuntimeKind::kByHome && IsRegularFile(home + JdkCompilerName()));
  // The 32-bit view holds 32-bit runtimes; any other source may name one too.
  reviewed.runsPaired = source.use32BitView || IsX86ImageFile(library.path);
  if (!IsKindWanted(reviewed.isJdk, settings)) {
    reviewed.verdict = RuntimeVerdict::kKindNotWanted;
    return reviewed;
  }
  if (reviewed.runsPaired && settings.pairProduct.empty()) {
    reviewed.verdict = RuntimeVerdict::kNeedsPairedProgram;
    return reviewed;
  }
  reviewed.verdict = RuntimeVerdict::kAdmitted;
  reviewed.candidate.version = reviewed.version;
  reviewed.candidate.javaHome = std::move(runtimeHome);
  reviewed.candidate.hasServerVm = library.isServer;
  reviewed.candidate.preferred =
      (reviewed.isJdk ? settings.jdkKind : settings.jreKind) && settings.sunFavored;
  reviewed.candidate.ibm = IsIbmRuntimeHome(facts, home, kPathSeparator);
  return reviewed;
}

} // namespace

const std::vector<ModernRegistryKey>& ModernRegistryKeys() {
  static const std::vector<ModernRegistryKey> keys = {
      {L"Software\\JavaSoft\\JDK\\", L"", L"JavaHome", RuntimeKind::kJdk},
      {L"Software\\JavaSoft\\JRE\\", L"", L"JavaHome", RuntimeKind::kJre},
      {L"Software\\Eclipse Adoptium\\JDK\\", kMsiKey, L"Path", RuntimeKind::kJdk},
      {L"Software\\Eclipse Adoptium\\JRE\\", kMsiKey, L"Path", RuntimeKind::kJre},
      {L"Software\\Eclipse Foundation\\JDK\\", kMsiKey, L"Path", RuntimeKind::kJdk},
      {L"Software\\Eclipse Foundation\\JRE\\", kMsiKey, L"Path", RuntimeKind::kJre},
      {L"Software\\AdoptOpenJDK\\JDK\\", kMsiKey, L"Path", RuntimeKind::kJdk},
      {L"Software\\AdoptOpenJDK\\JRE\\", kMsiKey, L"Path", RuntimeKind::kJre},
      {L"Software\\Microsoft\\JDK\\", kMsiKey, L"Path", RuntimeKind::kJdk},
      {L"Software\\Azul Systems\\Zulu\\", L"", L"InstallationPath", RuntimeKind::kByHome},
  };
  return keys;
}

std::vector<NamedRuntimeHome> ListModernRuntimeHomes(RuntimeRegistry& registry,
                                                     const ModernRuntimeSources& sources,
                                                     const LauncherSettings& settings) {
  std::vector<NamedRuntimeHome> homes;
  if (!settings.sunAllowed && !settings.sunFavored) {
    return homes;
  }
  ListRegistryHomes(registry, settings, false, homes);
  if (!sources.javaHome.empty()) {
    homes.push_back(
        FolderHome(NamedRuntimeHome::kEnvironment, L"JAVA_HOME", Unquoted(sources.javaHome)));
  }
  for (const std::wstring& folder : sources.userRuntimeFolders) {
    std::vector<std::wstring> names = FindMatchingNames(folder + kPathSeparator + L"*");
    std::sort(names.begin(), names.end());
    for (const std::wstring& name : names) {
      homes.push_back(
          FolderHome(NamedRuntimeHome::kUserFolder, folder, folder + kPathSeparator + name));
    }
  }
  if (!settings.pairProduct.empty()) {
    ListRegistryHomes(registry, settings, true, homes);
  }
  return homes;
}

std::vector<ReviewedRuntime> ReviewModernRuntimes(std::vector<NamedRuntimeHome> homes,
                                                  const LauncherSettings& settings) {
  std::vector<ReviewedRuntime> reviewed;
  reviewed.reserve(homes.size());
  std::set<std::wstring> seen;
  for (NamedRuntimeHome& named : homes) {
    reviewed.push_back(Review(std::move(named), settings, seen));
  }
  return reviewed;
}

namespace {

// The trace's words for a verdict.
const wchar_t* VerdictText(RuntimeVerdict verdict) {
  switch (verdict) {
  case RuntimeVerdict::kAdmitted:
    return L"admitted";
  case RuntimeVerdict::kNoHome:
    return L"refused, no home named";
  case RuntimeVerdict::kSameHomeAsEarlier:
    return L"refused, named by an earlier source";
  case RuntimeVerdict::kOutsideVersionRange:
    return L"refused, version out of range";
  case RuntimeVerdict::kNoVmLibrary:
    return L"refused, no VM library of the kind asked";
  case RuntimeVerdict::kKindNotWanted:
    return L"refused, a JDK or JRE that \"JVM Source\" leaves out";
  case RuntimeVerdict::kNeedsPairedProgram:
    return L"refused, 32-bit and no \"Pair Product\"";
  }
  return L"";
}

} // namespace

std::optional<RuntimeSearchResult> SearchModernRuntimes(RuntimeRegistry& registry,
                                                        const ModernRuntimeSources& sources,
                                                        const LauncherSettings& settings) {
  const std::vector<ReviewedRuntime> reviewed =
      ReviewModernRuntimes(ListModernRuntimeHomes(registry, sources, settings), settings);
  if (TraceEnabled()) {
    Trace(L"search today's runtimes: ", reviewed.size(), L" named");
    for (const ReviewedRuntime& runtime : reviewed) {
      Trace(L"  candidate ", runtime.named.where, L" ", runtime.named.home, L": ",
            VerdictText(runtime.verdict));
    }
  }
  // As in the main search, a runtime hosted here wins over one run through the paired program.
  for (const bool paired : {false, true}) {
    std::vector<JvmCandidate> candidates;
    for (const ReviewedRuntime& runtime : reviewed) {
      if (runtime.verdict == RuntimeVerdict::kAdmitted && runtime.runsPaired == paired) {
        candidates.push_back(runtime.candidate);
      }
    }
    const std::optional<JvmCandidate> chosen = SelectCandidate(std::move(candidates), settings);
    if (!chosen) {
      continue;
    }
    const FoundJvmLibrary library = FindJvmLibrary(chosen->javaHome, settings.jvmType);
    if (!library.path.empty()) {
      return RuntimeSearchResult{library.path, paired,
                                 paired ? RuntimeSource::kModernRuntimePaired
                                        : RuntimeSource::kModernRuntime,
                                 chosen->ibm};
    }
  }
  return std::nullopt;
}

} // namespace launcher
