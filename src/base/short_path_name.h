#pragma once

// The short (8.3) name of an existing file or folder, where the file system keeps one: a
// name in letters that every code page holds, by which narrow interfaces can still reach a
// file whose long name their code page lacks.
// Windows: GetShortPathNameW, with the \\?\ prefix for paths of 260 units or more (and
// without it in the result when the path came without it). A volume that keeps no short
// names gives the long name back. Linux has no short names: always nothing.

#include <optional>
#include <string>

namespace launcher {

std::optional<std::wstring> ShortPathName(const std::wstring& path);

} // namespace launcher
