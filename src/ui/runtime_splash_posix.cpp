#include "ui/runtime_splash.h"

#include <cstdlib>
#include <dlfcn.h>
#include <system_error>
#include <thread>

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

// The thread that makes the library's three calls.
struct RuntimeSplash::Calls {
  std::thread thread;
};

RuntimeSplash::RuntimeSplash() = default;

RuntimeSplash::~RuntimeSplash() {
  Close();
}

bool RuntimeSplash::Show(const std::wstring& libraryPath, const std::wstring& jvmLibraryPath,
                         const std::wstring& imagePath) {
  if (!HasDisplay() || calls_ != nullptr) {
    return false;
  }
  // Everything, loading the libraries too, is done on the thread: the launcher has no other
  // way to show a splash here, so nobody waits for the outcome.
  const auto show = [libraryPath, jvmLibraryPath, imagePath] {
    // The VM library first (see the header); a failure is left for its binding to report.
    std::wstring failure;
    if (LoadDynamicLibrary(jvmLibraryPath, failure) == nullptr) {
      return;
    }
    void* library = dlopen(ToUtf8(libraryPath).c_str(), RTLD_LAZY | RTLD_GLOBAL);
    if (library == nullptr) {
      return;
    }
    const auto init = Find<SplashInitFunction>(library, "SplashInit");
    const auto loadFile = Find<SplashLoadFileFunction>(library, "SplashLoadFile");
    const auto setFileJarName = Find<SplashSetFileJarNameFunction>(library, "SplashSetFileJarName");
    if (init == nullptr || loadFile == nullptr || setFileJarName == nullptr) {
      return;
    }
    init();
    const std::string image = ToUtf8(imagePath);
    loadFile(image.c_str());
    setFileJarName(image.c_str(), "");
  };
  calls_ = std::make_unique<Calls>();
  try {
    calls_->thread = std::thread(show);
  } catch (const std::system_error&) {
    show(); // no thread to be had: it is done here
  }
  return true;
}

void RuntimeSplash::AwaitShown() {
  if (calls_ != nullptr && calls_->thread.joinable()) {
    calls_->thread.join();
  }
}

// SplashClose is not called: here the launcher closes the splash only as the process ends,
// and SplashClose then wakes the library's own thread to take down its window and display
// connection while the process runs its exit handlers, which can crash that thread (seen as a
// SIGSEGV in pthread_mutex_lock, once in some hundred starts). The runtime's own launcher
// leaves the splash to the end of the process as well, which takes its window away.
void RuntimeSplash::Close() {
  AwaitShown();
}

} // namespace launcher
