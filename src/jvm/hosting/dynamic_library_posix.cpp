#include "jvm/hosting/dynamic_library.h"

#include <cstring>
#include <dlfcn.h>

#include "base/files.h"
#include "base/message_ids.h"
#include "base/string_table.h"
#include "base/text.h"
#include "base/text_format.h"
#include "jvm/discovery/image_layout.h"

namespace launcher {
namespace {

std::wstring LoadFailure(const std::wstring& path, const std::wstring& reason) {
  return FormatText(LoadResourceString(kMsgLibraryLoadFailedPosix), {path, reason});
}

// Why the file cannot be loaded, before the dynamic loader sees it; empty when it may.
std::wstring CheckLibraryFile(const std::wstring& path) {
  const ReadOnlyFile file(path);
  if (!file.IsOpen()) {
    // Something that is there but is no regular file counts as absent; say what it is.
    if (file.IsAbsent() && FileExists(path)) {
      return LoadResourceString(kMsgNotRegularFilePosix);
    }
    return FromUtf8(std::strerror(file.error()));
  }
  const ImageByteReader read = [&file](uint64_t offset, size_t count, std::string& out) {
    out.clear();
    return file.ReadAt(offset, count, out);
  };
  switch (CheckElfLayout(file.size(), read)) {
  case ImageLayout::kComplete:
    return std::wstring();
  case ImageLayout::kNotAnImage:
    return LoadResourceString(kMsgNotSharedLibraryPosix);
  case ImageLayout::kTruncated:
    return LoadResourceString(kMsgTruncatedImagePosix);
  }
  return std::wstring();
}

// dlerror's text, without the path it usually starts with, which the message names already.
std::wstring LoaderText(const std::string& path) {
  const char* error = dlerror();
  if (error == nullptr) {
    return LoadResourceString(kMsgNotSharedLibraryPosix);
  }
  std::string text = error;
  const std::string prefix = path + ": ";
  if (text.compare(0, prefix.size(), prefix) == 0) {
    text.erase(0, prefix.size());
  }
  return FromUtf8(text);
}

} // namespace

LibraryHandle LoadDynamicLibrary(const std::wstring& path, std::wstring& failure) {
  // The file is checked, then loaded by its path: whoever could swap it in between could as
  // well replace the library itself.
  const std::wstring reason = CheckLibraryFile(path);
  if (!reason.empty()) {
    failure = LoadFailure(path, reason);
    return nullptr;
  }
  const std::string narrowPath = ToUtf8(path);
  void* library = dlopen(narrowPath.c_str(), RTLD_NOW | RTLD_GLOBAL);
  if (library == nullptr) {
    failure = LoadFailure(path, LoaderText(narrowPath));
  }
  return library;
}

void* FindLibraryExport(LibraryHandle library, const std::wstring& path, const char* name,
                        std::wstring& failure) {
  dlerror();
  void* address = dlsym(library, name);
  if (address == nullptr) {
    failure = FormatText(LoadResourceString(kMsgMissingExportPosix), {path, FromUtf8(name)});
  }
  return address;
}

} // namespace launcher
