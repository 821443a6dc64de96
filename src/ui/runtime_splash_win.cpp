#include "ui/runtime_splash.h"

#include "base/narrow_text.h"
#include "base/windows_api.h"

namespace launcher {

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
  return CallEntries(
      [library](const char* name) {
        return reinterpret_cast<void*>(GetProcAddress(library, name));
      },
      ToAnsi(imagePath));
}

} // namespace launcher
