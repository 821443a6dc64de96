#pragma once

// The record of what a host asked of the stand-in VM. Each event is one JSON object on one
// line, appended to the file that FAKE_JVM_LOG names (nothing is written when it is unset).
// The first member is always "event"; the others follow in the order the code adds them,
// so a test may compare whole lines. Texts are written with every UTF-16 unit outside
// printable ASCII as a \uXXXX escape: the file is plain ASCII and exact, even for lone
// surrogates.
//
// Events, in the order a launch produces them:
//   load, environment        the library was loaded (thread, module, the host's command line),
//                            and ZL_JVM_PATH, ZL_JVM_HOME and Path at that moment
//   GetDefaultJavaVMInitArgs version asked for, javaStackSize given, result
//   CreateJavaVM, option...  thread, version, nOptions, ignoreUnrecognized; then each option
//                            (text in the ANSI code page, extraInfo set or not)
//   created                  the result code of JNI_CreateJavaVM
//   JVM_FindClassFromBootLoader, FindClass, GetMethodID, GetStaticMethodID   lookups
//   checkAndLoadMain         LauncherHelper's arguments
//   main                     class, thread, creatorThread, loaderThread, stackReservation,
//                            arguments
//   FileOutputStream, setOut, setErr, print   the streams and what was written to them
//   throw, ExceptionDescribe, ExceptionClear, printStackTrace, uncaught   exceptions
//   System.exit, exitHookReturned             the VM ending the process
//   AttachCurrentThread, DetachCurrentThread, DestroyJavaVM
//   misuse, unexpected, abort                 mistakes of the host (fake_vm.h)

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
