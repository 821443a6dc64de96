#pragma once

// File-system edge. Windows: the wide file functions, with the \\?\ prefix for paths of 260
// units or more. Linux: POSIX calls on the UTF-8 form of the path.

#include <cstddef>
#include <cstdint>
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

// True when the path names a regular file, after following links. Folders, FIFOs, devices
// and sockets are not; nothing is opened to find out.
bool IsRegularFile(const std::wstring& path);

// A regular file opened for reading. Opening never blocks: the file is opened without waiting
// for a writer (a FIFO would otherwise hang the launcher for good) and then checked through
// its own handle, so nothing can be swapped in between the check and the reads. Anything but
// a regular file counts as absent. Closed with the object.
class ReadOnlyFile {
public:
  explicit ReadOnlyFile(const std::wstring& path);
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  bool IsOpen() const { return open_; }
  // Not open because the path names nothing, or something that is not a regular file.
  bool IsAbsent() const { return absent_; }
  // Why the file is not open: the system's error code; that of a missing file when the path
  // names something that is not a regular file.
  int error() const { return error_; }
  // The size when it was opened (0 for files whose size the system does not report, such
  // as those of /proc).
  uint64_t size() const { return size_; }
  // Appends up to count bytes read from offset to out: fewer at the end of the file. False
  // when reading fails.
  bool ReadAt(uint64_t offset, size_t count, std::string& out) const;

private:
  intptr_t handle_ = -1; // the file descriptor, or the HANDLE
  bool open_ = false;
  bool absent_ = false;
  int error_ = 0;
  uint64_t size_ = 0;
};

enum class FileReadResult {
  kRead,
  kAbsent,     // missing, or not a regular file
  kTooLarge,   // more than the bytes allowed
  kUnreadable, // there, but it cannot be opened or read
};

struct FileContents {
  FileReadResult result = FileReadResult::kAbsent;
  std::string bytes;
};

// The whole of a regular file of at most maxBytes bytes. The bound holds also for files
// whose size the system does not know in advance (/proc files, a link to /dev/zero is no
// regular file at all).
FileContents ReadRegularFile(const std::wstring& path, size_t maxBytes);

// Up to `count` leading bytes of a regular file; fewer when the file is shorter, none when it
// cannot be read.
std::string ReadFileStart(const std::wstring& path, size_t count);
// Replaces the file's contents; creates the file when it does not exist.
bool WriteWholeFile(const std::wstring& path, std::string_view bytes);

bool SetCurrentFolder(const std::wstring& path);
std::wstring CurrentFolder();

} // namespace launcher
