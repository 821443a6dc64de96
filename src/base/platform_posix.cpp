#include "base/platform.h"

#include "base/text.h"

namespace launcher {

const wchar_t kPathSeparator = L'/';
const wchar_t kPathListSeparator = L':';
const wchar_t* const kSearchPathVariable = L"PATH";

bool IsAbsolutePath(std::wstring_view path) {
  return !path.empty() && path[0] == L'/';
}

std::wstring NativePathFromSetting(std::wstring text) {
  return ReplaceAll(std::move(text), L'\\', L'/');
}

} // namespace launcher
