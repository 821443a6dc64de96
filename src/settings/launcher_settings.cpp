#include "settings/launcher_settings.h"

#include <optional>

#include "base/files.h"
#include "base/launcher_paths.h"
#include "base/message_ids.h"
#include "base/platform.h"
#include "base/string_table.h"
#include "base/text.h"
#include "base/trace.h"
#include "settings/ini_file.h"
#include "settings/settings_keys.h"
#include "settings/settings_reader.h"

namespace launcher {
namespace {

JavaVersion VersionFromSetting(const std::wstring& value, const JavaVersion& any, int32_t fill) {
  return value == kValueAny ? any : ParseVersion(value, fill);
}

struct VmProviderRow {
  const wchar_t* name;
  bool jrockitAllowed, jrockitFavored, sunAllowed, sunFavored, ibmAllowed, ibmFavored;
};

constexpr VmProviderRow kVmProviders[] = {
    {L"jrockit", true, true, false, false, false, false},
    {L"ibm", false, false, false, false, true, true},
    {L"favor_sun", true, false, true, true, true, false},
    {L"favor_jrockit", true, true, true, false, true, false},
    {L"favor_ibm", true, false, true, false, true, true},
    {L"any", true, false, true, false, true, false},
};

} // namespace

bool IsYes(const std::wstring& value) {
  return EqualsIgnoringAsciiCase(value, L"Yes");
}

int32_t JvmTypeFromSetting(const std::wstring& value) {
  if (value == L"server") {
    return kJvmTypeServer;
  }
  if (value == L"favor_server") {
    return kJvmTypeFavorServer;
  }
  return kJvmTypeAny;
}

void ApplyJvmSource(const std::wstring& value, LauncherSettings& settings) {
  // Each flag is worked out by itself; an empty value leaves favorKind as it was.
  settings.jdkKind = value.empty() || value == L"favor_JDK" || value == L"only_JDK";
  settings.jreKind = value.empty() || value == L"favor_JRE" || value == L"only_JRE";
  if (!value.empty()) {
    settings.favorKind = value == L"favor_JDK" || value == L"favor_JRE";
  }
}

void ApplyVmProvider(const std::wstring& value, LauncherSettings& settings) {
  for (const VmProviderRow& row : kVmProviders) {
    if (EqualsIgnoringAsciiCase(value, row.name)) {
      settings.jrockitAllowed = row.jrockitAllowed;
      settings.jrockitFavored = row.jrockitFavored;
      settings.sunAllowed = row.sunAllowed;
      settings.sunFavored = row.sunFavored;
      settings.ibmAllowed = row.ibmAllowed;
      settings.ibmFavored = row.ibmFavored;
      return;
    }
  }
}

SettingsOutcome ReadSettings(const SettingsReader& reader, const std::wstring& modulePath,
                             LauncherSettings& settings) {
  const FileReadResult loaded = reader.Load();
  Trace(L"settings file ", reader.file().path(),
        loaded == FileReadResult::kRead ? L": read" : L": not read");
  if (loaded == FileReadResult::kTooLarge) {
    return {SettingsOutcome::kFileTooLarge, reader.file().path()};
  }
  const IniFile& file = reader.file();
  settings.productCode = file.ReadString(kSectionProductInformation, kKeyProductCode);
  settings.productName = file.ReadString(kSectionProductInformation, kKeyProductName);

  settings.minimumVersion = VersionFromSetting(reader.Get(kSectionJavaRuntime, kKeyMinimumVersion),
                                               kAnyMinimumVersion, 0);
  settings.maximumVersion = VersionFromSetting(reader.Get(kSectionJavaRuntime, kKeyMaximumVersion),
                                               kAnyMaximumVersion, 65535);

  settings.isService = reader.Get(kSectionApplication, kKeyApplicationType) == kValueService;

  settings.preferredVersions =
      SplitList(reader.Get(kSectionJavaRuntime, kKeyPreferredVersions), L';');

  std::wstring jrePath;
  const std::wstring perUserPath =
      settings.isService
          ? std::wstring()
          : PerUserSettingsPath(settings.productName, settings.productCode, modulePath, false);
  if (!perUserPath.empty() && IsRegularFile(perUserPath)) {
    // The folder the user chose wins over the shipped file, even when it is empty.
    const IniFile perUserFile(perUserPath);
    if (perUserFile.Load() == FileReadResult::kTooLarge) {
      return {SettingsOutcome::kFileTooLarge, perUserPath};
    }
    jrePath = perUserFile.ReadString(kSectionJavaRuntime, kKeyJrePath);
    Trace(L"per-user settings file ", perUserPath, L" gives \"JRE Path\"=", jrePath);
  } else {
    Trace(L"per-user settings file ", perUserPath, L": none, no key from it");
    jrePath = reader.Get(kSectionJavaRuntime, kKeyJrePath);
  }
  settings.jrePath = NativePathFromSetting(std::move(jrePath));

  settings.jvmType = JvmTypeFromSetting(reader.Get(kSectionJavaRuntime, kKeyJvmType));
  ApplyJvmSource(reader.Get(kSectionJavaRuntime, kKeyJvmSource), settings);
  ApplyVmProvider(reader.Get(kSectionJavaRuntime, kKeyVmProvider), settings);
  // Today's runtimes are looked for unless the file turns that off ("No" in any case).
  settings.searchModernRuntimes =
      !EqualsIgnoringAsciiCase(reader.Get(kSectionJavaRuntime, kKeySearchModernRuntimes), kValueNo);

  const std::wstring mainClass = reader.Get(kSectionJavaRuntime, kKeyMainClass);
  if (mainClass.empty()) {
    return {SettingsOutcome::kMainClassMissing, {}};
  }
  settings.mainClass = ReplaceAll(mainClass, L'.', L'/');

  settings.failureCheck = IsYes(reader.Get(kSectionApplication, kKeyFailureCheck));
  settings.overrideWorkingDir = IsYes(reader.Get(kSectionApplication, kKeyOverrideWorkingDir));
  settings.systemPath = NativePathFromSetting(reader.Get(kSectionJavaRuntime, kKeySystemPath));
  settings.libraryPath = NativePathFromSetting(reader.Get(kSectionJavaRuntime, kKeyLibraryPath));
  settings.pairProduct = NativePathFromSetting(reader.Get(kSectionApplication, kKeyPairProduct));
  settings.pairReturnCode = IsYes(reader.Get(kSectionApplication, kKeyPairReturnCode));
  return {SettingsOutcome::kLoaded, {}};
}

bool LoadSettings(const SettingsReader& reader, const std::wstring& modulePath, WindowHandle owner,
                  LauncherSettings& settings) {
  const SettingsOutcome outcome = ReadSettings(reader, modulePath, settings);
  switch (outcome.kind) {
  case SettingsOutcome::kLoaded:
    return true;
  case SettingsOutcome::kMainClassMissing:
    ShowErrorMessage(owner, LoadResourceString(kMsgMainClassMissing));
    return false;
  case SettingsOutcome::kFileTooLarge:
    ShowErrorMessage(owner, LoadResourceString(kMsgSettingsFileTooLarge), outcome.file,
                     static_cast<int>(kLargestSettingsFile / (1024 * 1024)));
    return false;
  }
  return false;
}

} // namespace launcher
