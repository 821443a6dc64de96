#include "jvm/hosting/class_data_files.h"

#include "base/environment.h"
#include "base/files.h"
#include "base/path_rules.h"
#include "base/scoped_handle_win.h"
#include "base/windows_api.h"

namespace launcher {
namespace {

// FILETIME counts 100-ns units from 1601-01-01; Unix time starts 11644473600 s later.
constexpr int64_t kUnixEpochInFileTimeSeconds = 11644473600;
constexpr int64_t kFileTimeUnitsPerSecond = 10000000;

} // namespace

std::wstring UserCacheRoot() {
  return ReadEnvironmentVariable(L"LOCALAPPDATA").value_or(std::wstring());
}

std::optional<FileStamp> ReadFileStamp(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(WithLongPathPrefix(path).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  FileStamp stamp;
  stamp.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  const int64_t units =
      static_cast<int64_t>((static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                           data.ftLastWriteTime.dwLowDateTime);
  stamp.modifiedSeconds = units / kFileTimeUnitsPerSecond - kUnixEpochInFileTimeSeconds;
  return stamp;
}

bool CreatePrivateFolder(const std::wstring& folder) {
  if (CreateParentFolders(folder.back() == L'\\' ? folder : folder + L"\\") == 0) {
    return true;
  }
  const DWORD attributes = GetFileAttributesW(WithLongPathPrefix(folder).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CreatePrivateFile(const std::wstring& path) {
  ScopedHandle file(CreateFileW(WithLongPathPrefix(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid();
}

bool SealFile(const std::wstring& path, int64_t modifiedSeconds) {
  ScopedHandle file(CreateFileW(WithLongPathPrefix(path).c_str(), FILE_WRITE_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    return false;
  }
  const uint64_t units = static_cast<uint64_t>(modifiedSeconds + kUnixEpochInFileTimeSeconds) *
                         kFileTimeUnitsPerSecond;
  FILETIME time;
  time.dwLowDateTime = static_cast<DWORD>(units & 0xffffffffu);
  time.dwHighDateTime = static_cast<DWORD>(units >> 32);
  return SetFileTime(file.get(), nullptr, nullptr, &time) != FALSE;
}

bool ReplaceFileWith(const std::wstring& source, const std::wstring& target) {
  return MoveFileExW(WithLongPathPrefix(source).c_str(), WithLongPathPrefix(target).c_str(),
                     MOVEFILE_REPLACE_EXISTING) != FALSE;
}

bool RemoveFile(const std::wstring& path) {
  return DeleteFileW(WithLongPathPrefix(path).c_str()) != FALSE;
}

uint32_t CurrentProcessId() {
  return GetCurrentProcessId();
}

} // namespace launcher
