#include "ui/runtime_splash.h"

#include <cstdlib>
#include <dlfcn.h>

#include "base/text.h"
#include "jvm/hosting/dynamic_library.h"

namespace launcher {
namespace {

bool HasDisplay() {
  const char* display = std::getenv("DISPLAY");
  return display != nullptr && *display != '\0';
}

} // namespace

const wchar_t kRuntimeSplashLibraryName[] = L"libsplashscreen.so";

bool HasOwnSplashWindow() {
  return false;
}

bool RuntimeSplash::Show(const std::wstring& libraryPath, const std::wstring& jvmLibraryPath,
                         const std::wstring& imagePath) {
  if (!HasDisplay()) {
    return false;
  }
  // The VM library first (see the header); a failure is left for its binding to report.
  std::wstring failure;
  if (LoadDynamicLibrary(jvmLibraryPath, failure) == nullptr) {
    return false;
  }
  void* library = dlopen(ToUtf8(libraryPath).c_str(), RTLD_LAZY | RTLD_GLOBAL);
  if (library == nullptr) {
    return false;
  }
  return CallEntries([library](const char* name) { return dlsym(library, name); },
                     ToUtf8(imagePath));
}

} // namespace launcher
