#pragma once

// Pure text rules on paths. The separator is a parameter so that the Windows rules are
// tested on Linux too; it defaults to the host's.

#include <optional>
#include <string>
#include <string_view>

#include "base/platform.h"

namespace launcher {

// Removes the last n components: n times, cut just before the last separator; once none is
// left the text stays as it is. C:\rt\bin\server\jvm.dll with n = 3 gives C:\rt.
std::wstring StripPathComponents(std::wstring path, int n, wchar_t separator = kPathSeparator);

// Appends one separator unless the text already ends with one.
std::wstring EnsureTrailingSeparator(std::wstring path, wchar_t separator = kPathSeparator);

// The text up to and including the last separator; empty when there is none.
std::wstring FolderWithSeparator(std::wstring_view path, wchar_t separator = kPathSeparator);

// The text after the last separator; the whole text when there is none.
std::wstring FileNameOf(std::wstring_view path, wchar_t separator = kPathSeparator);

// The settings file of an executable: everything after the last "." replaced by "ini".
// A path without "." has none. C:\my.app\tool gives C:\my.ini.
std::optional<std::wstring> SettingsPathFor(std::wstring_view path);

// Drops the characters that a folder name cannot hold: \ ? " | > < : / *
std::wstring SanitizeFolderName(std::wstring_view name);

// Windows path classification.
bool IsWindowsAbsolutePath(std::wstring_view path);
bool IsWindowsNetworkPath(std::wstring_view path);
bool HasLongPathPrefix(std::wstring_view path);
// Paths of 260 units or more get the \\?\ prefix unless they carry it already.
std::wstring WithLongPathPrefix(std::wstring path);

} // namespace launcher
