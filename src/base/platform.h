#pragma once

// The few facts of the host platform that portable rules need. Windows: "\" between path
// components, ";" between list entries, the search path in "Path". Linux: "/", ":" and
// "PATH"; a "\" in a path taken from the settings file is read as "/" so that one settings
// file serves both platforms.

#include <string>
#include <string_view>

namespace launcher {

extern const wchar_t kPathSeparator;
extern const wchar_t kPathListSeparator;
extern const wchar_t* const kSearchPathVariable;

// Windows: at least two units with ":" second or two leading "\". Linux: a leading "/".
bool IsAbsolutePath(std::wstring_view path);

// A path as written in the settings file, in the platform's own separators.
std::wstring NativePathFromSetting(std::wstring text);

} // namespace launcher
