#include "jvm/hosting/dynamic_library.h"

#include "base/files.h"
#include "base/message_ids.h"
#include "base/string_table.h"
#include "base/text_format.h"
#include "base/windows_api.h"
#include "jvm/discovery/image_layout.h"

namespace launcher {
namespace {

// The code LoadLibraryW would leave for the file, found before it sees it; 0 when it may.
int CheckLibraryFile(const std::wstring& path) {
  const ReadOnlyFile file(path);
  if (!file.IsOpen()) {
    // What the loader says of a module file that is not there.
    return file.IsAbsent() ? ERROR_MOD_NOT_FOUND : file.error();
  }
  const ImageByteReader read = [&file](uint64_t offset, size_t count, std::string& out) {
    out.clear();
    return file.ReadAt(offset, count, out);
  };
  return CheckPeLayout(file.size(), read) == ImageLayout::kComplete ? 0 : ERROR_BAD_EXE_FORMAT;
}

} // namespace

LibraryHandle LoadDynamicLibrary(const std::wstring& path, std::wstring& failure) {
  // The file is checked, then loaded by its path: whoever could swap it in between could as
  // well replace the library itself.
  int errorCode = CheckLibraryFile(path);
  HMODULE library = nullptr;
  if (errorCode == 0) {
    library = LoadLibraryW(path.c_str());
    errorCode = library == nullptr ? static_cast<int>(GetLastError()) : 0;
  }
  if (library == nullptr) {
    failure = FormatText(LoadResourceString(kMsgVmLibraryLoadFailed), {path, errorCode});
  }
  return reinterpret_cast<LibraryHandle>(library);
}

void* FindLibraryExport(LibraryHandle library, const std::wstring&, const char* name,
                        std::wstring& failure) {
  FARPROC address = GetProcAddress(reinterpret_cast<HMODULE>(library), name);
  if (address == nullptr) {
    const int errorCode = static_cast<int>(GetLastError());
    failure = FormatText(LoadResourceString(kMsgWindowsException),
                         {LoadResourceString(kMsgCreateJavaVmMissing), errorCode});
  }
  return reinterpret_cast<void*>(address);
}

} // namespace launcher
