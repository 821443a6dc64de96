#include "jvm/hosting/dynamic_library.h"

#include "base/windows_api.h"

namespace launcher {

LibraryHandle LoadDynamicLibrary(const std::wstring& path, int& errorCode) {
  HMODULE library = LoadLibraryW(path.c_str());
  errorCode = library == nullptr ? static_cast<int>(GetLastError()) : 0;
  return reinterpret_cast<LibraryHandle>(library);
}

void* FindLibraryExport(LibraryHandle library, const char* name, int& errorCode) {
  FARPROC address = GetProcAddress(reinterpret_cast<HMODULE>(library), name);
  errorCode = address == nullptr ? static_cast<int>(GetLastError()) : 0;
  return reinterpret_cast<void*>(address);
}

} // namespace launcher
