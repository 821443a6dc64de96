#include "base/path_rules.h"
#include "base/platform.h"

namespace launcher {

const wchar_t kPathSeparator = L'\\';
const wchar_t kPathListSeparator = L';';
const wchar_t* const kSearchPathVariable = L"Path";

bool IsAbsolutePath(std::wstring_view path) {
  return IsWindowsAbsolutePath(path);
}

std::wstring NativePathFromSetting(std::wstring text) {
  return text;
}

} // namespace launcher
