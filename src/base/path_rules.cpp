#include "base/path_rules.h"

namespace launcher {

std::wstring StripPathComponents(std::wstring path, int n, wchar_t separator) {
  for (int i = 0; i < n; ++i) {
    const size_t last = path.rfind(separator);
    if (last == std::wstring::npos) {
      break;
    }
    path.erase(last);
  }
  return path;
}

std::wstring EnsureTrailingSeparator(std::wstring path, wchar_t separator) {
  if (path.empty() || path.back() != separator) {
    path += separator;
  }
  return path;
}

std::wstring FolderWithSeparator(std::wstring_view path, wchar_t separator) {
  const size_t last = path.rfind(separator);
  return last == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, last + 1));
}

std::wstring FileNameOf(std::wstring_view path, wchar_t separator) {
  const size_t last = path.rfind(separator);
  return std::wstring(last == std::wstring_view::npos ? path : path.substr(last + 1));
}

std::optional<std::wstring> SettingsPathFor(std::wstring_view path) {
  const size_t dot = path.rfind(L'.');
  if (dot == std::wstring_view::npos) {
    return std::nullopt;
  }
  return std::wstring(path.substr(0, dot + 1)) + L"ini";
}

std::wstring SanitizeFolderName(std::wstring_view name) {
  static constexpr std::wstring_view kRemoved = L"\\?\"|><:/*";
  std::wstring out;
  for (wchar_t c : name) {
    if (kRemoved.find(c) == std::wstring_view::npos) {
      out += c;
    }
  }
  return out;
}

bool IsWindowsAbsolutePath(std::wstring_view path) {
  return path.size() >= 2 && (path[1] == L':' || (path[0] == L'\\' && path[1] == L'\\'));
}

bool IsWindowsNetworkPath(std::wstring_view path) {
  return path.size() >= 3 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'?';
}

bool HasLongPathPrefix(std::wstring_view path) {
  return path.substr(0, 4) == L"\\\\?\\";
}

std::wstring WithLongPathPrefix(std::wstring path) {
  if (path.size() >= 260 && !HasLongPathPrefix(path)) {
    path.insert(0, L"\\\\?\\");
  }
  return path;
}

} // namespace launcher
