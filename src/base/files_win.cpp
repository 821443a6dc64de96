#include "base/files.h"

#include <algorithm>

#include "base/path_rules.h"
#include "base/scoped_handle_win.h"
#include "base/wildcard.h"

namespace launcher {
namespace {

bool Exists(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  ScopedFindHandle find(FindFirstFileW(WithLongPathPrefix(path).c_str(), &data));
  return find.valid();
}

bool RemoveFolder(const std::wstring& path) {
  return RemoveDirectoryW(WithLongPathPrefix(path).c_str()) != FALSE;
}

} // namespace

bool FileExists(const std::wstring& path) {
  return !path.empty() && Exists(path);
}

bool AbsolutePathExists(const std::wstring& path) {
  if (path.empty()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  if (!IsWindowsAbsolutePath(path)) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  return Exists(path);
}

int CreateParentFolders(const std::wstring& filePath) {
  if (AbsolutePathExists(filePath)) {
    return 0;
  }
  std::wstring path = filePath;
  std::wstring prefix;
  if (HasLongPathPrefix(path)) {
    prefix = path.substr(0, 4);
    path.erase(0, 4);
  }
  const bool network = IsWindowsNetworkPath(path);
  // The root of a local path is the drive; of a network path, \\server.
  size_t rootEnd = network ? path.find(L'\\', 2) : path.find(L'\\');
  if (rootEnd == std::wstring::npos) {
    return 0;
  }
  std::wstring current = prefix + path.substr(0, rootEnd);
  DWORD lastError = 0;
  bool passedLevel = false;
  size_t start = rootEnd + 1;
  for (size_t next = path.find(L'\\', start); next != std::wstring::npos;
       start = next + 1, next = path.find(L'\\', start)) {
    current += L'\\';
    current += path.substr(start, next - start);
    if (CreateDirectoryW(WithLongPathPrefix(current).c_str(), nullptr)) {
      lastError = 0;
    } else {
      lastError = GetLastError();
      if (lastError == ERROR_ALREADY_EXISTS) {
        lastError = 0;
      } else if (!network) {
        if (passedLevel) {
          RemoveFolder(current);
        }
        break;
      }
    }
    passedLevel = true;
  }
  return static_cast<int>(lastError);
}

bool CreateFolder(const std::wstring& path) {
  return CreateDirectoryW(WithLongPathPrefix(path).c_str(), nullptr) ||
         GetLastError() == ERROR_ALREADY_EXISTS;
}

std::vector<std::wstring> FindMatchingNames(const std::wstring& pattern) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  ScopedFindHandle find(FindFirstFileW(WithLongPathPrefix(pattern).c_str(), &data));
  if (!find.valid()) {
    return names;
  }
  do {
    const std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") {
      names.push_back(name);
    }
  } while (FindNextFileW(find.get(), &data));
  return names;
}

bool IsRegularFile(const std::wstring& path) {
  if (path.empty()) {
    return false;
  }
  const DWORD attributes = GetFileAttributesW(WithLongPathPrefix(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

ReadOnlyFile::ReadOnlyFile(const std::wstring& path) {
  const std::wstring name = WithLongPathPrefix(path);
  HANDLE file = path.empty() ? INVALID_HANDLE_VALUE
                             : CreateFileW(name.c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error_ = path.empty() ? ERROR_FILE_NOT_FOUND : static_cast<int>(GetLastError());
    // A folder cannot be opened this way (access denied): it is no file either.
    const DWORD attributes =
        path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(name.c_str());
    absent_ = error_ == ERROR_FILE_NOT_FOUND || error_ == ERROR_PATH_NOT_FOUND ||
              error_ == ERROR_INVALID_NAME ||
              (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
    if (absent_) {
      error_ = ERROR_FILE_NOT_FOUND;
    }
    return;
  }
  // Pipes and character devices (a console, NUL) are no files.
  LARGE_INTEGER size;
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
    CloseHandle(file);
    error_ = ERROR_FILE_NOT_FOUND;
    absent_ = true;
    return;
  }
  handle_ = reinterpret_cast<intptr_t>(file);
  open_ = true;
  size_ = static_cast<uint64_t>(size.QuadPart);
}

ReadOnlyFile::~ReadOnlyFile() {
  if (open_) {
    CloseHandle(reinterpret_cast<HANDLE>(handle_));
  }
}

bool ReadOnlyFile::ReadAt(uint64_t offset, size_t count, std::string& out) const {
  if (!open_) {
    return false;
  }
  // Through a small buffer, so that asking for more than the file holds costs nothing.
  const size_t start = out.size();
  char buffer[8192];
  while (count > 0) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD got = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(handle_), buffer,
                  static_cast<DWORD>(std::min(count, sizeof buffer)), &got, &at)) {
      if (GetLastError() == ERROR_HANDLE_EOF) {
        break;
      }
      out.resize(start);
      return false;
    }
    if (got == 0) {
      break;
    }
    out.append(buffer, got);
    offset += got;
    count -= got;
  }
  return true;
}

bool WriteWholeFile(const std::wstring& path, std::string_view bytes) {
  ScopedHandle file(CreateFileW(WithLongPathPrefix(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    return false;
  }
  while (!bytes.empty()) {
    DWORD put = 0;
    const DWORD chunk = static_cast<DWORD>(bytes.size() > (1u << 30) ? (1u << 30) : bytes.size());
    if (!WriteFile(file.get(), bytes.data(), chunk, &put, nullptr) || put == 0) {
      return false;
    }
    bytes.remove_prefix(put);
  }
  return true;
}

bool SetCurrentFolder(const std::wstring& path) {
  return SetCurrentDirectoryW(path.c_str()) != FALSE;
}

std::wstring CurrentFolder() {
  const DWORD size = GetCurrentDirectoryW(0, nullptr);
  if (size == 0) {
    return std::wstring();
  }
  std::wstring buffer(size, L'\0');
  const DWORD length = GetCurrentDirectoryW(size, buffer.data());
  buffer.resize(length < size ? length : 0);
  return buffer;
}

} // namespace launcher
