#pragma once

// The runtimes of today, which the vendor keys of the main search (runtime_search.h) do not
// know: the keys of Oracle's and OpenJDK's installers since Java 9, of Eclipse Temurin (and its
// former names), of Microsoft's build of OpenJDK and of Azul Zulu, each under
// HKEY_LOCAL_MACHINE and then HKEY_CURRENT_USER (per-user installs); then JAVA_HOME and, on
// Linux, the user's own runtime folders (modern_runtime_sources.h).
//
// This step runs only when every source of the main search has come up empty, just before the
// "JRE Not Found" step, so that a machine on which the main search finds a runtime keeps it.
// "Search Modern Runtimes=No" turns it off.
//
// Every home that a source names is reviewed by itself and gets a verdict, a value that says
// why it was taken or left. The admitted ones form one candidate list with the filters and the
// ranking of the main search: "Minimum Version" and "Maximum Version" (against the version in
// the home's release file, else the version key's or folder's name), "JVM Type" through
// FindJvmLibrary, the JDK/JRE preference of "JVM Source", "Preferred versions". They count as
// runtimes of the default vendor for "VM Provider".
//
// A runtime whose registry key was read in the 32-bit view, or whose VM library is a 32-bit
// x86 image, is run through the paired program; it is taken only when no other runtime was
// admitted, and the 32-bit view is read only when "Pair Product" is set.

#include <optional>
#include <string>
#include <vector>

#include "base/java_version.h"
#include "jvm/discovery/modern_runtime_sources.h"
#include "jvm/discovery/runtime_registry.h"
#include "jvm/discovery/runtime_search.h"
#include "settings/launcher_settings.h"

namespace launcher {

// Whether the home a source names is a JDK's or a JRE's: fixed by some keys; for the others a
// home that holds the Java compiler is a JDK's.
enum class RuntimeKind { kJdk, kJre, kByHome };

// A vendor key whose subkeys name installed runtimes: valueName, in the key
// path + subkey + valueKey, holds the home.
struct ModernRegistryKey {
  const wchar_t* path;      // with a trailing "\"
  const wchar_t* valueKey;  // below each subkey: "" or "\hotspot\MSI"
  const wchar_t* valueName; // "JavaHome", "Path", "InstallationPath"
  RuntimeKind kind;
};

// The keys in the order they are searched.
const std::vector<ModernRegistryKey>& ModernRegistryKeys();

// One home as a source names it.
struct NamedRuntimeHome {
  enum Origin { kRegistry, kEnvironment, kUserFolder };
  Origin origin = kRegistry;
  RegistryHive hive = RegistryHive::kLocalMachine; // registry only
  bool use32BitView = false;                       // registry only
  std::wstring where;       // the key with its subkey, "JAVA_HOME", or the user's folder
  std::wstring versionName; // the subkey's or folder's name: the version without release file
  std::wstring home;        // as named; empty when the value is missing or empty
  RuntimeKind kind = RuntimeKind::kByHome;
};

enum class RuntimeVerdict {
  kAdmitted,
  kNoHome,              // no such value, or an empty one
  kSameHomeAsEarlier,   // an earlier source named the same home
  kOutsideVersionRange, // "Minimum Version", "Maximum Version"
  kNoVmLibrary,         // no VM library that "JVM Type" accepts
  kKindNotWanted,       // a JDK or a JRE that "JVM Source" leaves out
  kNeedsPairedProgram,  // 32-bit, and no "Pair Product" to run it
};

struct ReviewedRuntime {
  NamedRuntimeHome named;
  RuntimeVerdict verdict = RuntimeVerdict::kNoHome;
  JavaVersion version;     // once read
  std::wstring vmLibrary;  // once found
  bool isJdk = false;      // once the library is found
  bool runsPaired = false; // once the library is found
  // For the admitted: the candidate that the ranking sees (javaHome: where the VM library is,
  // the home or its "jre" folder).
  JvmCandidate candidate;
};

// Every home the sources name, in search order: each key of ModernRegistryKeys under
// HKEY_LOCAL_MACHINE, then under HKEY_CURRENT_USER, in the native view; JAVA_HOME; the entries
// of each user's folder, sorted by name; then, only with "Pair Product", the keys again in the
// 32-bit view. A key whose kind "JVM Source" leaves out is not opened, and nothing is looked at
// when "VM Provider" leaves out the default vendor.
std::vector<NamedRuntimeHome> ListModernRuntimeHomes(RuntimeRegistry& registry,
                                                     const ModernRuntimeSources& sources,
                                                     const LauncherSettings& settings);

// The verdict on each home, in the same order.
std::vector<ReviewedRuntime> ReviewModernRuntimes(std::vector<NamedRuntimeHome> homes,
                                                  const LauncherSettings& settings);

// The step: the admitted runtimes hosted here are ranked and picked first; only when there is
// none, those run through the paired program. Nothing when none is admitted.
std::optional<RuntimeSearchResult> SearchModernRuntimes(RuntimeRegistry& registry,
                                                        const ModernRuntimeSources& sources,
                                                        const LauncherSettings& settings);

} // namespace launcher
