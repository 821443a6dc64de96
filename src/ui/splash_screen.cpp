#include "ui/splash_screen.h"

#include "base/files.h"
#include "base/platform.h"
#include "settings/settings_reader.h"
#include "ui/runtime_splash.h"

namespace launcher {

bool SplashScreen::Show(const SettingsReader* settingsFile, const std::wstring& jvmLibraryPath) {
  if (settingsFile == nullptr) {
    return false;
  }
  const SplashSettings settings = ReadSplashSettings(settingsFile->file());
  if (settings.imagePath.empty()) {
    return true; // nothing more to look at: a launch without a splash pays for one read
  }
  const std::wstring image = NativePathFromSetting(settings.imagePath);
  const std::wstring library =
      RuntimeSplashLibraryPath(jvmLibraryPath, kPathSeparator, kRuntimeSplashLibraryName);
  const SplashPlan plan =
      PlanSplash(settings, !library.empty() && FileExists(library), HasOwnSplashWindow());
  if (plan.tryRuntimeLibrary && runtimeSplash_.Show(library, jvmLibraryPath, image)) {
    return true;
  }
  if (plan.ownWindowOtherwise) {
    nativeSplash_.Start(image, WantsSplashShadow(settings.shadow));
  }
  return true;
}

} // namespace launcher
