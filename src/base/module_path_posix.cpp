#include "base/module_path.h"

#include <cerrno>
#include <unistd.h>

#include "base/text.h"

namespace launcher {

std::optional<std::wstring> ReadModulePath(int& errorCode) {
  std::string buffer(256, '\0');
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) {
      errorCode = errno;
      return std::nullopt;
    }
    if (static_cast<size_t>(length) < buffer.size()) {
      buffer.resize(static_cast<size_t>(length));
      errorCode = 0;
      return FromUtf8(buffer);
    }
    buffer.resize(buffer.size() * 2);
  }
}

int LastSystemError() {
  return errno;
}

} // namespace launcher
