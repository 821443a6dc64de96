#include "jvm/discovery/image_file.h"

#include <fcntl.h>
#include <unistd.h>

#include "base/text.h"
#include "jvm/discovery/image_architecture.h"

namespace launcher {

std::string ReadFileStart(const std::wstring& path, size_t count) {
  std::string bytes;
  const int fd = open(ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    return bytes;
  }
  bytes.resize(count);
  size_t filled = 0;
  while (filled < count) {
    const ssize_t got = read(fd, bytes.data() + filled, count - filled);
    if (got <= 0) {
      break;
    }
    filled += static_cast<size_t>(got);
  }
  close(fd);
  bytes.resize(filled);
  return bytes;
}

bool IsX86ImageFile(const std::wstring& path) {
  const std::string header = ReadFileStart(path, kElfHeaderBytes);
  return IsX86ElfImage(reinterpret_cast<const unsigned char*>(header.data()), header.size());
}

} // namespace launcher
