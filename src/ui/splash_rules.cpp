#include "ui/splash_rules.h"

#include "base/text.h"
#include "settings/ini_file.h"
#include "settings/settings_keys.h"

namespace launcher {

SplashSettings ReadSplashSettings(const IniFile& settingsFile) {
  SplashSettings settings;
  settings.imagePath = settingsFile.ReadString(kSectionDisplay, kKeySplashScreen);
  if (settings.imagePath.empty()) {
    return settings; // no splash: the other two keys do not matter
  }
  settings.shadow = settingsFile.ReadString(kSectionDisplay, kKeySplashScreenShadow);
  settings.preferRuntimeLibrary = EqualsIgnoringAsciiCase(
      settingsFile.ReadString(kSectionDisplay, kKeyPreferNativeSplashScreen), L"Yes");
  return settings;
}

bool WantsSplashShadow(const std::wstring& shadowValue) {
  return shadowValue == L"true";
}

SplashPlan PlanSplash(const SplashSettings& settings, bool runtimeLibraryFound, bool hasOwnWindow) {
  SplashPlan plan;
  if (settings.imagePath.empty()) {
    return plan;
  }
  plan.tryRuntimeLibrary = runtimeLibraryFound && (settings.preferRuntimeLibrary || !hasOwnWindow);
  plan.ownWindowOtherwise = hasOwnWindow;
  return plan;
}

std::wstring RuntimeSplashLibraryPath(const std::wstring& jvmLibraryPath, wchar_t separator,
                                      const std::wstring& fileName) {
  std::wstring folder = jvmLibraryPath;
  for (int cut = 0; cut < 2; ++cut) {
    const size_t at = folder.rfind(separator);
    if (at == std::wstring::npos) {
      return {};
    }
    folder.resize(at);
  }
  if (folder.empty() || (folder.back() != L'\\' && folder.back() != L'/')) {
    folder += separator;
  }
  return folder + fileName;
}

ScreenPoint CentredOrigin(int screenWidth, int screenHeight, int width, int height) {
  return {(screenWidth - width) / 2, (screenHeight - height) / 2};
}

uint32_t SplashClassStyle(bool shadow) {
  return shadow ? kSplashClassStyle : kSplashClassStyle & ~kClassStyleDropShadow;
}

void SplashCloser::Hold(SplashCloseFunction function) {
  if (function_ != nullptr && function_ != function) {
    function_();
  }
  function_ = function;
}

void SplashCloser::Close() {
  SplashCloseFunction function = function_;
  function_ = nullptr;
  if (function != nullptr) {
    function();
  }
}

} // namespace launcher
