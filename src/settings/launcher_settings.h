#pragma once

// What the launcher reads from its settings file once at start-up, before it looks for a Java
// runtime. Later stages read their own keys when they need them (settings_keys.h lists all).
//
// On Linux the path-valued settings ("JRE Path", "Pair Product", "System Path", "Library
// Path") are read with "\" as "/", so one settings file serves both platforms.

#include <cstdint>
#include <string>
#include <vector>

#include "base/error_message.h"
#include "base/java_version.h"

namespace launcher {

// "JVM Type".
constexpr int32_t kJvmTypeAny = 0;         // no preference, client VM probed first
constexpr int32_t kJvmTypeServer = 1;      // "server": server VM only
constexpr int32_t kJvmTypeFavorServer = 2; // "favor_server": server VM favoured

// The values before loading are the ones that apply when a key is missing or not recognised.
struct LauncherSettings {
  std::wstring productName;                    // [Product Information] "Product Name"
  std::wstring productCode;                    // [Product Information] "Product Code"
  JavaVersion minimumVersion;                  // "Minimum Version"
  JavaVersion maximumVersion;                  // "Maximum Version"
  bool isService = false;                      // "Application Type" is exactly "service"
  std::vector<std::wstring> preferredVersions; // "Preferred versions", cut at ";"
  std::wstring jrePath;                        // "JRE Path" (per-user file first, see LoadSettings)
  int32_t jvmType = kJvmTypeAny;               // "JVM Type"
  bool jdkKind = false;                        // "JVM Source"
  bool jreKind = false;
  bool favorKind = true;
  bool jrockitAllowed = false; // "VM Provider"
  bool sunAllowed = true;
  bool ibmAllowed = false;
  bool jrockitFavored = false;
  bool sunFavored = true;
  bool ibmFavored = false;
  std::wstring mainClass;          // "Main Class", with "/" in place of "."
  bool failureCheck = false;       // [Application] "Failure Check" is "Yes"
  bool overrideWorkingDir = false; // [Application] "Override WorkingDir" is "Yes"
  std::wstring systemPath;         // "System Path"
  std::wstring libraryPath;        // "Library Path"
  std::wstring pairProduct;        // [Application] "Pair Product": the paired executable
  bool pairReturnCode = false;     // [Application] "Pair Return Code" is "Yes"
  // "Search Modern Runtimes" is anything but "No" (in any case).
  bool searchModernRuntimes = true;
};

class SettingsReader;

struct SettingsOutcome {
  enum Kind {
    kLoaded,
    kMainClassMissing, // "Main Class" is empty; the keys after it were not read
    kFileTooLarge,     // a settings file over kLargestSettingsFile: `file`
  };
  Kind kind = kLoaded;
  std::wstring file;
};

// Fills settings from the launcher settings file (read through `reader`, which keeps it for
// the rest of the start), and "JRE Path" from the per-user settings file of the executable at
// modulePath when that is a file and the application is not a service. Shows no message.
SettingsOutcome ReadSettings(const SettingsReader& reader, const std::wstring& modulePath,
                             LauncherSettings& settings);

// ReadSettings, reporting a missing "Main Class" (message 210) or a settings file that is too
// large to be read (message 240 naming it), owned by owner. True when the launch can go on.
bool LoadSettings(const SettingsReader& reader, const std::wstring& modulePath, WindowHandle owner,
                  LauncherSettings& settings);

// The flag rules of the settings values.
bool IsYes(const std::wstring& value);                 // "Yes", ignoring the case of ASCII letters
int32_t JvmTypeFromSetting(const std::wstring& value); // exact "server" / "favor_server"
void ApplyJvmSource(const std::wstring& value, LauncherSettings& settings);
void ApplyVmProvider(const std::wstring& value, LauncherSettings& settings);

} // namespace launcher
