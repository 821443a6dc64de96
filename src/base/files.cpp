#include "base/files.h"

namespace launcher {

FileContents ReadRegularFile(const std::wstring& path, size_t maxBytes) {
  FileContents contents;
  const ReadOnlyFile file(path);
  if (!file.IsOpen()) {
    contents.result = file.IsAbsent() ? FileReadResult::kAbsent : FileReadResult::kUnreadable;
    return contents;
  }
  if (file.size() > maxBytes) {
    contents.result = FileReadResult::kTooLarge;
    return contents;
  }
  // Read to the end rather than to the size seen at opening: /proc files report none, and a
  // file may grow meanwhile. One byte over the bound is enough to know it is too large.
  constexpr size_t kChunk = 64 * 1024;
  for (;;) {
    const size_t before = contents.bytes.size();
    if (!file.ReadAt(before, kChunk, contents.bytes)) {
      contents.result = FileReadResult::kUnreadable;
      contents.bytes.clear();
      return contents;
    }
    if (contents.bytes.size() > maxBytes) {
      contents.result = FileReadResult::kTooLarge;
      contents.bytes.clear();
      return contents;
    }
    if (contents.bytes.size() == before) {
      contents.result = FileReadResult::kRead;
      return contents;
    }
  }
}

std::string ReadFileStart(const std::wstring& path, size_t count) {
  std::string bytes;
  const ReadOnlyFile file(path);
  if (file.IsOpen()) {
    while (bytes.size() < count) {
      const size_t before = bytes.size();
      if (!file.ReadAt(before, count - before, bytes) || bytes.size() == before) {
        break;
      }
    }
  }
  return bytes;
}

} // namespace launcher
