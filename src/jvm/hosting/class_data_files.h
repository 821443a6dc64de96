#pragma once

// The file work of the class-data cache. Linux: the cache root is $XDG_CACHE_HOME or
// ~/.cache; the folder the launcher creates is the user's alone (0700) and so is every
// archive (0600), since an archive holds the application's classes. Windows: the root is
// %LOCALAPPDATA%, whose folders are the user's alone already; replacing a file that another
// process has open fails there, which leaves the archive in place.

#include <cstdint>
#include <optional>
#include <string>

#include "jvm/hosting/class_data_cache.h"

namespace launcher {

// The root of the user's cache folders; empty when the platform gives none.
std::wstring UserCacheRoot();

// The size and modification time of a regular file (after links); nothing otherwise.
std::optional<FileStamp> ReadFileStamp(const std::wstring& path);

// Creates the folder (and any missing folder above it); the last one, when created, is the
// user's alone. An existing folder is fine.
bool CreatePrivateFolder(const std::wstring& folder);

// Creates an empty file that must not exist yet, readable and writable by the user alone.
bool CreatePrivateFile(const std::wstring& path);

// Makes the file the user's alone and gives it the modification time (seconds since 1970).
bool SealFile(const std::wstring& path, int64_t modifiedSeconds);

// Moves a file over another, in one step where the platform can.
bool ReplaceFileWith(const std::wstring& source, const std::wstring& target);

bool RemoveFile(const std::wstring& path);

uint32_t CurrentProcessId();

} // namespace launcher
