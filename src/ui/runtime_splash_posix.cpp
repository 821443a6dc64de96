#include "ui/runtime_splash.h"

#include <cstdlib>
#include <dlfcn.h>

#include "base/text.h"
#include "jvm/hosting/dynamic_library.h"

namespace launcher {
namespace {

using SplashInitFunction = void (*)();
using SplashLoadFileFunction = int (*)(const char* imagePath);
using SplashSetFileJarNameFunction = void (*)(const char* imagePath, const char* jarName);

template <typename Function> Function Find(void* library, const char* name) {
  return reinterpret_cast<Function>(dlsym(library, name));
}

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
  const auto init = Find<SplashInitFunction>(library, "SplashInit");
  const auto loadFile = Find<SplashLoadFileFunction>(library, "SplashLoadFile");
  const auto setFileJarName = Find<SplashSetFileJarNameFunction>(library, "SplashSetFileJarName");
  if (const auto close = Find<SplashCloseFunction>(library, "SplashClose")) {
    closer_.Hold(close);
  }
  if (init == nullptr || loadFile == nullptr || setFileJarName == nullptr) {
    return false;
  }
  init();
  const std::string image = ToUtf8(imagePath);
  loadFile(image.c_str());
  setFileJarName(image.c_str(), "");
  return true;
}

} // namespace launcher
