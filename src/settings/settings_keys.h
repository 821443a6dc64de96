#pragma once

// The vocabulary of the launcher settings file: every section and key that any part of the
// launcher reads, written exactly as the file writes them.

namespace launcher {

constexpr wchar_t kSectionProductInformation[] = L"Product Information";
constexpr wchar_t kSectionJavaRuntime[] = L"Java Runtime Environment";
constexpr wchar_t kSectionApplication[] = L"Application";
constexpr wchar_t kSectionClassPath[] = L"Class Path";
constexpr wchar_t kSectionDisplay[] = L"Display";

// [Product Information]
constexpr wchar_t kKeyProductCode[] = L"Product Code";
constexpr wchar_t kKeyProductName[] = L"Product Name";

// [Java Runtime Environment]
constexpr wchar_t kKeyMinimumVersion[] = L"Minimum Version";
constexpr wchar_t kKeyMaximumVersion[] = L"Maximum Version";
constexpr wchar_t kKeyPreferredVersions[] = L"Preferred versions";
constexpr wchar_t kKeyJrePath[] = L"JRE Path";
constexpr wchar_t kKeyJvmType[] = L"JVM Type";
constexpr wchar_t kKeyJvmSource[] = L"JVM Source";
constexpr wchar_t kKeyVmProvider[] = L"VM Provider";
constexpr wchar_t kKeyMainClass[] = L"Main Class";
constexpr wchar_t kKeySystemPath[] = L"System Path";
constexpr wchar_t kKeyLibraryPath[] = L"Library Path";
constexpr wchar_t kKeyVirtualMachineParameters[] = L"Virtual Machine Parameters";
constexpr wchar_t kKeySearchModernRuntimes[] = L"Search Modern Runtimes";
constexpr wchar_t kKeyClassDataCache[] = L"Class Data Cache";

// [Application]
constexpr wchar_t kKeyApplicationType[] = L"Application Type";
constexpr wchar_t kKeyFailureCheck[] = L"Failure Check";
constexpr wchar_t kKeyOverrideWorkingDir[] = L"Override WorkingDir";
constexpr wchar_t kKeyPairProduct[] = L"Pair Product";
constexpr wchar_t kKeyPairReturnCode[] = L"Pair Return Code";
constexpr wchar_t kKeySingleInstance[] = L"Single Instance";
constexpr wchar_t kKeyEmbeddedJar[] = L"Embedded Jar";
constexpr wchar_t kKeyOutputFile[] = L"Output File";
constexpr wchar_t kKeyOutputAppend[] = L"Output Append";
constexpr wchar_t kKeyErrorFile[] = L"Error File";
constexpr wchar_t kKeyErrorAppend[] = L"Error Append";
constexpr wchar_t kKeyCmd[] = L"Cmd";

// [Class Path]
constexpr wchar_t kKeyClassPath[] = L"Class Path";

// [Display]
constexpr wchar_t kKeySplashScreen[] = L"Splash Screen";
constexpr wchar_t kKeySplashScreenShadow[] = L"Splash Screen Shadow";
constexpr wchar_t kKeyPreferNativeSplashScreen[] = L"Preffer Native Splash Screen";

// Words with a fixed meaning in values.
constexpr wchar_t kValueAny[] = L"any";         // "Minimum Version", "Maximum Version"
constexpr wchar_t kValueService[] = L"service"; // "Application Type", exact case
constexpr wchar_t kValueNo[] = L"No";           // "Search Modern Runtimes", any case

} // namespace launcher
