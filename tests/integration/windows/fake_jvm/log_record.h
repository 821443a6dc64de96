#pragma once

// The record of what a host asked of the stand-in VM. Each event is one JSON object on one
// line, appended to the file that FAKE_JVM_LOG names (nothing is written when it is unset).
// The first member is always "event"; the others follow in the order the code adds them,
// so a test may compare whole lines. Texts are written with every UTF-16 unit outside
// printable ASCII as a \uXXXX escape: the file is plain ASCII and exact, even for lone
// surrogates.

#include <string>
#include <string_view>
#include <vector>

namespace fake_jvm {

class LogRecord {
public:
  explicit LogRecord(std::string_view event);
  ~LogRecord(); // appends the finished line to the log
  LogRecord(const LogRecord&) = delete;
  LogRecord& operator=(const LogRecord&) = delete;

  LogRecord& Text(std::string_view key, std::u16string_view value);
  LogRecord& Ascii(std::string_view key, std::string_view value);
  LogRecord& Number(std::string_view key, long long value);
  LogRecord& Flag(std::string_view key, bool value);
  // A null entry is written as JSON null (a null element of a Java array).
  LogRecord& TextList(std::string_view key, const std::vector<const std::u16string*>& values);

  const std::string& Line() const { return line_; }

private:
  void Key(std::string_view key);
  std::string line_;
};

void AppendJsonString(std::string& out, std::u16string_view text);

// Appends one line to the log file. Safe to call from any thread; each line is written and
// the file closed again at once, so nothing is lost when the process ends abruptly.
void WriteLogLine(const std::string& line);

} // namespace fake_jvm
