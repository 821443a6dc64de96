#include "ui/runtime_splash.h"

#include "base/narrow_text.h"
#include "base/windows_api.h"

namespace launcher {
namespace {

using SplashInitFunction = void (*)();
using SplashLoadFileFunction = int (*)(const char* imagePath);
using SplashSetFileJarNameFunction = void (*)(const char* imagePath, const char* jarName);

template <typename Function> Function Find(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

} // namespace

const wchar_t kRuntimeSplashLibraryName[] = L"splashscreen.dll";

bool HasOwnSplashWindow() {
  return true;
}

bool RuntimeSplash::Show(const std::wstring& libraryPath, const std::wstring&,
                         const std::wstring& imagePath) {
  HMODULE library = LoadLibraryW(libraryPath.c_str());
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
  const std::string image = ToAnsi(imagePath);
  loadFile(image.c_str());
  setFileJarName(image.c_str(), "");
  return true;
}

} // namespace launcher
