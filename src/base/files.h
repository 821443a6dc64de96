#pragma once

// File-system edge. Windows: the wide file functions, with the \\?\ prefix for paths of 260
// units or more. Linux: POSIX calls on the UTF-8 form of the path.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace launcher {

// True when the path names an existing file or folder; a relative path resolves against the
// current folder.
bool FileExists(const std::wstring& path);

// As FileExists, but a relative or empty path is never taken.
bool AbsolutePathExists(const std::wstring& path);

// Creates every missing folder above a file, leaving the file name alone. Returns 0 on
// success, otherwise the system's error code.
int CreateParentFolders(const std::wstring& filePath);

// Creates one folder; an existing one is fine.
bool CreateFolder(const std::wstring& path);

// The names (not paths) that a search for the pattern finds, in the order the file system
// returns them; the pattern may hold "*" and "?" in its last component. "." and ".." are never
// returned. A pattern without a wildcard returns its own name when it exists.
std::vector<std::wstring> FindMatchingNames(const std::wstring& pattern);

std::optional<std::string> ReadWholeFile(const std::wstring& path);
// Up to `count` leading bytes of a file; fewer when the file is shorter, none when it cannot
// be read.
std::string ReadFileStart(const std::wstring& path, size_t count);
// Replaces the file's contents; creates the file when it does not exist.
bool WriteWholeFile(const std::wstring& path, std::string_view bytes);

bool SetCurrentFolder(const std::wstring& path);
std::wstring CurrentFolder();

} // namespace launcher
