#include <fcntl.h>
#include <unistd.h>

#include "base/text.h"
#include "base/trace_sink.h"

namespace launcher {
namespace {
int sink = -1;
} // namespace

bool OpenTraceSink(const std::wstring& value) {
  sink = value == L"1"
             ? STDERR_FILENO
             : open(ToUtf8(value).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  return sink >= 0;
}

void WriteTraceSink(const std::wstring& line) {
  const std::string bytes = ToUtf8(line);
  for (size_t done = 0; done < bytes.size();) {
    const ssize_t written = write(sink, bytes.data() + done, bytes.size() - done);
    if (written <= 0) {
      return;
    }
    done += static_cast<size_t>(written);
  }
}

} // namespace launcher
