#include "base/files.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/path_rules.h"
#include "base/text.h"
#include "base/wildcard.h"

namespace launcher {
namespace {

// Owns one open file descriptor.
class ScopedFd {
public:
  explicit ScopedFd(int fd) : fd_(fd) {}
  ~ScopedFd() {
    if (fd_ >= 0) {
      close(fd_);
    }
  }
  ScopedFd(const ScopedFd&) = delete;
  ScopedFd& operator=(const ScopedFd&) = delete;
  int get() const { return fd_; }

private:
  int fd_;
};

} // namespace

bool FileExists(const std::wstring& path) {
  struct stat info;
  return !path.empty() && stat(ToUtf8(path).c_str(), &info) == 0;
}

bool AbsolutePathExists(const std::wstring& path) {
  return !path.empty() && path[0] == L'/' && FileExists(path);
}

int CreateParentFolders(const std::wstring& filePath) {
  const std::string path = ToUtf8(filePath);
  int lastError = 0;
  for (size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    const std::string folder = path.substr(0, slash);
    if (mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
      lastError = errno;
      break;
    }
  }
  return lastError;
}

bool CreateFolder(const std::wstring& path) {
  return mkdir(ToUtf8(path).c_str(), 0777) == 0 || errno == EEXIST;
}

std::vector<std::wstring> FindMatchingNames(const std::wstring& pattern) {
  std::vector<std::wstring> names;
  const std::wstring name = FileNameOf(pattern, L'/');
  if (!HasWildcard(name)) {
    if (FileExists(pattern) && name != L"." && name != L".." && !name.empty()) {
      names.push_back(name);
    }
    return names;
  }
  std::wstring folder = FolderWithSeparator(pattern, L'/');
  DIR* dir = opendir(folder.empty() ? "." : ToUtf8(folder).c_str());
  if (dir == nullptr) {
    return names;
  }
  while (const dirent* entry = readdir(dir)) {
    const std::wstring candidate = FromUtf8(entry->d_name);
    if (candidate != L"." && candidate != L".." && MatchesWildcard(name, candidate, false)) {
      names.push_back(candidate);
    }
  }
  closedir(dir);
  return names;
}

bool IsRegularFile(const std::wstring& path) {
  struct stat info;
  return !path.empty() && stat(ToUtf8(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

ReadOnlyFile::ReadOnlyFile(const std::wstring& path) {
  // O_NONBLOCK: opening a FIFO returns at once instead of waiting for a writer. It changes
  // nothing for the regular files that are kept.
  const int fd = open(ToUtf8(path).c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    error_ = errno;
    // A socket cannot be opened at all (ENXIO): it is no file either.
    absent_ = error_ == ENOENT || error_ == ENOTDIR || error_ == ENXIO;
    return;
  }
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    error_ = ENOENT;
    absent_ = true;
    return;
  }
  handle_ = fd;
  open_ = true;
  size_ = static_cast<uint64_t>(info.st_size);
}

ReadOnlyFile::~ReadOnlyFile() {
  if (open_) {
    close(static_cast<int>(handle_));
  }
}

bool ReadOnlyFile::ReadAt(uint64_t offset, size_t count, std::string& out) const {
  if (!open_) {
    return false;
  }
  // Through a small buffer, so that asking for more than the file holds costs nothing: every
  // page of memory touched for nothing shows in the launcher's start-up time.
  const size_t start = out.size();
  char buffer[8192];
  while (count > 0) {
    const ssize_t got = pread(static_cast<int>(handle_), buffer, std::min(count, sizeof buffer),
                              static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      out.resize(start);
      return false;
    }
    if (got == 0) {
      break;
    }
    out.append(buffer, static_cast<size_t>(got));
    offset += static_cast<uint64_t>(got);
    count -= static_cast<size_t>(got);
  }
  return true;
}

bool WriteWholeFile(const std::wstring& path, std::string_view bytes) {
  ScopedFd fd(open(ToUtf8(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (fd.get() < 0) {
    return false;
  }
  while (!bytes.empty()) {
    const ssize_t put = write(fd.get(), bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) {
      continue;
    }
    if (put <= 0) {
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(put));
  }
  return true;
}

bool SetCurrentFolder(const std::wstring& path) {
  return chdir(ToUtf8(path).c_str()) == 0;
}

std::wstring CurrentFolder() {
  std::string buffer(PATH_MAX, '\0');
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) {
      return std::wstring();
    }
    buffer.resize(buffer.size() * 2);
  }
  return FromUtf8(buffer.c_str());
}

} // namespace launcher
