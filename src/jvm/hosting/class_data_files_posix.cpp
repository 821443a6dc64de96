#include "jvm/hosting/class_data_files.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/environment.h"
#include "base/text.h"

namespace launcher {

std::wstring UserCacheRoot() {
  return PosixCacheRoot(ReadEnvironmentVariable(L"XDG_CACHE_HOME").value_or(std::wstring()),
                        ReadEnvironmentVariable(L"HOME").value_or(std::wstring()));
}

std::optional<FileStamp> ReadFileStamp(const std::wstring& path) {
  struct stat info;
  if (stat(ToUtf8(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    return std::nullopt;
  }
  FileStamp stamp;
  stamp.size = static_cast<uint64_t>(info.st_size);
  stamp.modifiedSeconds = static_cast<int64_t>(info.st_mtim.tv_sec);
  return stamp;
}

bool CreatePrivateFolder(const std::wstring& folder) {
  std::string path = ToUtf8(folder);
  while (path.size() > 1 && path.back() == '/') {
    path.pop_back();
  }
  for (size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    if (mkdir(path.substr(0, slash).c_str(), 0777) != 0 && errno != EEXIST) {
      return false;
    }
  }
  struct stat info;
  return mkdir(path.c_str(), 0700) == 0 ||
         (errno == EEXIST && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode));
}

bool CreatePrivateFile(const std::wstring& path) {
  const int fd = open(ToUtf8(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) {
    return false;
  }
  close(fd);
  return true;
}

bool SealFile(const std::wstring& path, int64_t modifiedSeconds) {
  const std::string name = ToUtf8(path);
  struct timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;
  times[1].tv_sec = static_cast<time_t>(modifiedSeconds);
  times[1].tv_nsec = 0;
  return chmod(name.c_str(), 0600) == 0 && utimensat(AT_FDCWD, name.c_str(), times, 0) == 0;
}

bool ReplaceFileWith(const std::wstring& source, const std::wstring& target) {
  return rename(ToUtf8(source).c_str(), ToUtf8(target).c_str()) == 0;
}

bool RemoveFile(const std::wstring& path) {
  return unlink(ToUtf8(path).c_str()) == 0;
}

uint32_t CurrentProcessId() {
  return static_cast<uint32_t>(getpid());
}

} // namespace launcher
