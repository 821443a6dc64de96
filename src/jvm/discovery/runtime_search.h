#pragma once

// Finding the Java runtime to host: the "JRE Path" setting, then a runtime shipped with the
// application, then the vendors' registry in the native view and, when a paired program is
// configured, in the 32-bit view. Registry runtimes are filtered by the version range, kind
// and vendor of the settings, ranked, and picked by the "Preferred versions" list. Only when
// all of these find nothing, today's runtimes are looked for (modern_runtime_search.h): the
// one place where an environment variable (JAVA_HOME) is consulted.
//
// VM library names and the shipped-runtime marker come from jvm_layout.h, the registry from
// runtime_registry.h; everything here is the same on both platforms.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/java_version.h"
#include "jvm/discovery/modern_runtime_sources.h"
#include "jvm/discovery/runtime_registry.h"
#include "settings/launcher_settings.h"

namespace launcher {

struct FoundJvmLibrary {
  std::wstring path; // empty when no VM library was found
  bool isServer = false;
};

// Probes a home (ending in a separator, or empty for names relative to the current folder)
// for its VM library, by jvmType: 1 accepts only the server VM; 2 tries the server VM first
// and then the others; 0 tries client, classic, hotspot, server, jrockit in that order.
FoundJvmLibrary FindJvmLibrary(const std::wstring& home, int32_t jvmType);

// The home of a runtime shipped beside the launcher: the launcher's own folder when it holds
// the runtime marker, else its "jre64" folder when that does, else an empty home.
std::wstring FindShippedRuntime(const std::wstring& modulePath);

// One runtime found in the registry.
struct JvmCandidate {
  JavaVersion version;   // the version key, parsed with fill 0
  std::wstring javaHome; // JavaHome with a separator, plus the JDK's runtime folder
  bool hasServerVm = false;
  bool preferred = false; // kind and vendor are the favoured ones
  bool ibm = false;       // found under IBM's key
};

enum class RuntimeVendor { kSun, kJrockit, kIbm };

struct VendorKey {
  const wchar_t* path;
  bool isJdk;
  RuntimeVendor vendor;
};

// The vendor keys in the order they are searched.
const std::vector<VendorKey>& VendorKeys();

// Whether "Minimum Version" <= version <= "Maximum Version", both bounds taken as they are.
bool IsInVersionRange(const JavaVersion& version, const LauncherSettings& settings);

// Whether the settings let the search open this key at all.
bool IsVendorKeySearched(const VendorKey& key, const LauncherSettings& settings);

struct JavaHomeProbe {
  std::wstring javaHome;
  bool hasServerVm = false;
};

// JavaHome of one version key, made into a home and probed for a VM library. Nothing when
// the value is missing or empty, or the home holds no VM library the settings accept.
std::optional<JavaHomeProbe> ReadJavaHome(RuntimeRegistry& registry, const VendorKey& key,
                                          const std::wstring& versionKey, bool use32BitView,
                                          int32_t jvmType);

// Appends the admitted runtimes of one vendor key, in enumeration order.
void ScanVendorKey(RuntimeRegistry& registry, const VendorKey& key,
                   const LauncherSettings& settings, bool use32BitView,
                   std::vector<JvmCandidate>& candidates);

// Preferred candidates first (with favorKind), then those with a server VM (with jvmType 2),
// then by descending version; candidates that compare equal keep their order.
void SortCandidates(std::vector<JvmCandidate>& candidates, int32_t jvmType, bool favorKind);

// Sorts, then takes the first candidate matching the earliest "Preferred versions" entry that
// matches any; the first sorted candidate when none does. Nothing for an empty list.
std::optional<JvmCandidate> SelectCandidate(std::vector<JvmCandidate> candidates,
                                            const LauncherSettings& settings);

struct RegistrySearchResult {
  std::wstring javaHome;
  bool relaunchPaired = false; // found in the 32-bit view
  bool ibm = false;            // found under IBM's key
};

// The registry step in one view. The 32-bit view is searched only when "Pair Product" is
// set, and a runtime found there is run through the paired program.
std::optional<RegistrySearchResult>
SearchRegistry(RuntimeRegistry& registry, const LauncherSettings& settings, bool use32BitView);

// Whether a VM library picked from a folder must be run through the paired program: "Pair
// Product" is set and the library is a 32-bit x86 image. Opens nothing without "Pair
// Product".
bool CheckPairedRelaunch(const std::wstring& jvmDllPath, const std::wstring& pairProduct);

enum class RuntimeSource {
  kJrePath,
  kShippedRuntime,
  kRegistry,
  kRegistry32BitView,
  kModernRuntime,       // today's runtimes, hosted here
  kModernRuntimePaired, // today's runtimes, a 32-bit one run through the paired program
};

struct RuntimeSearchResult {
  std::wstring jvmDllPath;
  bool relaunchPaired = false;
  RuntimeSource source = RuntimeSource::kJrePath;
  // IBM's runtime (found under its key, or saying so itself): main's thread never ends.
  bool ibmRuntime = false;
};

// The whole search in its fixed order. Without a module path the shipped runtime is not
// looked for. Today's runtimes come from modernSources, or without them from this process's
// own (read only when the search gets that far). Nothing when every source fails: the
// Missing-JRE step follows.
std::optional<RuntimeSearchResult>
SearchForRuntime(const LauncherSettings& settings, const std::optional<std::wstring>& modulePath,
                 RuntimeRegistry& registry,
                 const std::optional<ModernRuntimeSources>& modernSources = std::nullopt);

} // namespace launcher
