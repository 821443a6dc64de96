#include "ui/runtime_splash.h"

namespace launcher {
namespace {

using SplashInitFunction = void (*)();
using SplashLoadFileFunction = int (*)(const char* imagePath);
using SplashSetFileJarNameFunction = void (*)(const char* imagePath, const char* jarName);

} // namespace

bool RuntimeSplash::CallEntries(const std::function<void*(const char* name)>& find,
                                const std::string& image) {
  const auto init = reinterpret_cast<SplashInitFunction>(find("SplashInit"));
  const auto loadFile = reinterpret_cast<SplashLoadFileFunction>(find("SplashLoadFile"));
  const auto setFileJarName =
      reinterpret_cast<SplashSetFileJarNameFunction>(find("SplashSetFileJarName"));
  if (const auto close = reinterpret_cast<SplashCloseFunction>(find("SplashClose"))) {
    closer_.Hold(close);
  }
  if (init == nullptr || loadFile == nullptr || setFileJarName == nullptr) {
    return false;
  }
  init();
  loadFile(image.c_str());
  setFileJarName(image.c_str(), "");
  return true;
}

} // namespace launcher
