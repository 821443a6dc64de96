#include "jvm/hosting/dynamic_library.h"

#include <cerrno>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include "base/text.h"

namespace launcher {
namespace {

// dlopen says why in text only; the code is recovered from what the file system says.
int LoadErrorCode(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    return errno != 0 ? errno : ENOENT;
  }
  close(fd);
  return ENOEXEC;
}

} // namespace

LibraryHandle LoadDynamicLibrary(const std::wstring& path, int& errorCode) {
  const std::string narrowPath = ToUtf8(path);
  void* library = dlopen(narrowPath.c_str(), RTLD_NOW | RTLD_GLOBAL);
  if (library == nullptr) {
    errorCode = LoadErrorCode(narrowPath);
    return nullptr;
  }
  errorCode = 0;
  return library;
}

void* FindLibraryExport(LibraryHandle library, const char* name, int& errorCode) {
  dlerror();
  void* address = dlsym(library, name);
  errorCode = address == nullptr ? ENOENT : 0;
  return address;
}

} // namespace launcher
