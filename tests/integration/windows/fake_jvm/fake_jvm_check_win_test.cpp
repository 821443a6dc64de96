// Checks the stand-in VM library on its own, before any launcher uses it: each case starts
// this program again as a host (fake_jvm_check_host.h) against one library variant and role,
// then judges the host's exit code and the VM's log.

#include "base/scoped_handle_win.h"
#include "base/windows_api.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "fake_jvm_check_host.h"

namespace fake_jvm_check {
namespace {

constexpr DWORD kChildTimeoutMs = 60000;
constexpr DWORD kUnexpectedCallExitCode = 134;

using Variables = std::vector<std::pair<std::wstring, std::wstring>>;

struct ChildResult {
  bool finished = false;
  DWORD exitCode = 0;
  std::vector<std::string> log;
};

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring Folder(const std::wstring& path) {
  return path.substr(0, path.find_last_of(L'\\'));
}

// The variants land in <build>\fake_jvm\<variant>\jvm.dll; this program in <build>\bin.
std::wstring VariantPath(const std::wstring& variant) {
  return Folder(Folder(ModulePath())) + L"\\fake_jvm\\" + variant + L"\\jvm.dll";
}

std::wstring TempPath(const std::wstring& name) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  return folder + std::wstring(L"fake_jvm_check_") + std::to_wstring(GetCurrentProcessId()) + L"_" +
         name;
}

std::vector<std::string> ReadLines(const std::wstring& path) {
  std::vector<std::string> lines;
  std::ifstream file(path.c_str());
  for (std::string line; std::getline(file, line);) {
    lines.push_back(line);
  }
  return lines;
}

std::string ReadFile(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

ChildResult RunChild(const std::wstring& variant, const std::wstring& scenario,
                     const Variables& variables) {
  static int runs = 0;
  const std::wstring logPath = TempPath(std::to_wstring(++runs) + L".log");
  DeleteFileW(logPath.c_str());
  SetEnvironmentVariableW(L"FAKE_JVM_LOG", logPath.c_str());
  SetEnvironmentVariableW(L"FAKE_JVM_ROLE", nullptr);
  SetEnvironmentVariableW(L"FAKE_JVM_STACK_SIZE", nullptr);
  for (const auto& variable : variables) {
    SetEnvironmentVariableW(variable.first.c_str(), variable.second.c_str());
  }
  std::wstring commandLine =
      L"\"" + ModulePath() + L"\" --host " + scenario + L" \"" + VariantPath(variant) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ChildResult result;
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    ADD_FAILURE() << "cannot start the host: error " << GetLastError();
    return result;
  }
  launcher::ScopedHandle processHandle(process.hProcess);
  launcher::ScopedHandle threadHandle(process.hThread);
  if (WaitForSingleObject(processHandle.get(), kChildTimeoutMs) == WAIT_OBJECT_0) {
    result.finished = true;
    GetExitCodeProcess(processHandle.get(), &result.exitCode);
  } else {
    TerminateProcess(processHandle.get(), 1);
    WaitForSingleObject(processHandle.get(), kChildTimeoutMs);
  }
  result.log = ReadLines(logPath);
  DeleteFileW(logPath.c_str());
  return result;
}

bool Contains(const std::string& line, const std::string& part) {
  return line.find(part) != std::string::npos;
}

// Each expected piece must appear in a log line after the line of the piece before it.
void ExpectInOrder(const std::vector<std::string>& log, const std::vector<std::string>& pieces) {
  size_t next = 0;
  for (const std::string& piece : pieces) {
    size_t found = next;
    while (found < log.size() && !Contains(log[found], piece)) {
      ++found;
    }
    if (found == log.size()) {
      ADD_FAILURE() << "missing from the log (in this order): " << piece;
      continue;
    }
    next = found + 1;
  }
}

std::string FindLine(const std::vector<std::string>& log, const std::string& part) {
  for (const std::string& line : log) {
    if (Contains(line, part)) {
      return line;
    }
  }
  return {};
}

long long NumberField(const std::string& line, const std::string& key) {
  const std::string marker = "\"" + key + "\":";
  const size_t at = line.find(marker);
  return at == std::string::npos ? -1 : std::stoll(line.substr(at + marker.size()));
}

std::string Dump(const std::vector<std::string>& log) {
  std::string text;
  for (const std::string& line : log) {
    text += line + "\n";
  }
  return text;
}

struct Case {
  const char* name;
  const wchar_t* variant;
  const wchar_t* scenario;
  const wchar_t* role;
  DWORD exitCode;
  std::vector<std::string> expected; // pieces of log lines, in order
  std::vector<std::string> absent;   // pieces no log line may hold
  bool misuseExpected = false;
};

const std::string kOptionLines[] = {
    R"({"event":"option","index":0,"text":"-Djava.class.path=C:\\app\\lib\\a.jar;C:\\app\\b.jar;","extraInfo":false})",
    R"({"event":"option","index":1,"text":"-Dname=a b","extraInfo":false})",
    R"({"event":"option","index":2,"text":"abort","extraInfo":true})",
    R"({"event":"option","index":3,"text":"exit","extraInfo":true})",
};
const std::string kMainArguments =
    R"("arguments":["plain","with blank","","\"quoted\"","\u00e9\u4e2d\ud83d\ude00"]})";
const std::string kCleanEnd[] = {
    R"("attached":true,"result":0})",
    R"("unreleasedUtfChars":0,"unreleasedStringChars":0})",
};

const Case kCases[] = {
    {"MainReturnsThroughLauncherHelper",
     L"full",
     L"run",
     L"returns",
     kHostOk,
     {R"({"event":"load",)", R"("version":"0x00010001","javaStackSize":1048576,"result":-1})",
      R"("version":"0x00010002","nOptions":4,"ignoreUnrecognized":false})", kOptionLines[0],
      kOptionLines[1], kOptionLines[2], kOptionLines[3], R"({"event":"created","result":0})",
      R"({"event":"JVM_FindClassFromBootLoader","name":"sun/launcher/LauncherHelper","found":true)",
      R"({"event":"checkAndLoadMain","printToStderr":true,"mode":1,"name":"com.example.Main")",
      R"({"event":"GetStaticMethodID","class":"com/example/Main","name":"main","signature":"([Ljava/lang/String;)V","found":true})",
      kMainArguments,
      R"({"event":"print","stream":"<stdout>","text":"main of com.example.Main writes to System.out\u000d\u000a"})",
      kCleanEnd[0], kCleanEnd[1]},
     {R"("event":"FindClass","name":"com/example/Main")", R"("event":"uncaught")"}},
    {"MainReturnsThroughFindClassWithoutBootLoaderExport",
     L"no_boot_loader",
     L"run",
     L"returns",
     kHostOk,
     {R"({"event":"FindClass","name":"com/example/Main","found":true)", kMainArguments,
      kCleanEnd[0], kCleanEnd[1]},
     {R"("event":"JVM_FindClassFromBootLoader")", R"("event":"checkAndLoadMain")"}},
    {"HelperMissingFallsBackToFindClass",
     L"full",
     L"run",
     L"no-helper",
     kHostOk,
     {R"({"event":"JVM_FindClassFromBootLoader","name":"sun/launcher/LauncherHelper","found":false)",
      R"({"event":"FindClass","name":"com/example/Main","found":true)", kMainArguments},
     {}},
    {"MissingClassThroughFindClassLeavesNoClassDefFoundError",
     L"no_boot_loader",
     L"run",
     L"missing-class",
     kHostClassMissing,
     {R"({"event":"FindClass","name":"com/example/Main","found":false)",
      R"({"event":"ExceptionDescribe","text":"java.lang.NoClassDefFoundError: com/example/Main\u000d\u000a"})",
      R"({"event":"print","stream":"<stderr>","text":"java.lang.NoClassDefFoundError: com/example/Main\u000d\u000a"})"},
     {R"("event":"main")"}},
    {"MissingClassThroughLauncherHelperExitsWithOne",
     L"full",
     L"run",
     L"missing-class",
     1,
     {R"({"event":"print","stream":"<stderr>","text":"Error: Could not find or load main class com.example.Main\u000d\u000aCaused by: java.lang.ClassNotFoundException: com.example.Main\u000d\u000a"})",
      R"({"event":"System.exit","code":1,"cause":"LauncherHelper",)",
      R"({"event":"exitHookReturned","code":1})"},
     {R"("event":"main")"}},
    {"HelperThrowsLeavesErrorPending",
     L"full",
     L"run",
     L"helper-throws",
     kHostHelperFailed,
     {R"({"event":"throw","class":"java/lang/InternalError")",
      R"({"event":"ExceptionDescribe","text":"java.lang.InternalError: LauncherHelper failed for com.example.Main)"},
     {}},
    {"NoMainMethodWithoutPendingException",
     L"no_boot_loader",
     L"run",
     L"no-main",
     kHostMainMissingSilently,
     {R"("name":"main","signature":"([Ljava/lang/String;)V","found":false})",
      R"({"event":"ExceptionDescribe","text":""})"},
     {R"("event":"throw")"}},
    {"NoMainMethodWithPendingNoSuchMethodError",
     L"no_boot_loader",
     L"run",
     L"no-main-pending",
     kHostMainMissing,
     {R"({"event":"throw","class":"java/lang/NoSuchMethodError","message":"main"})",
      R"("name":"main","signature":"([Ljava/lang/String;)V","found":false})"},
     {}},
    {"NoMainMethodThroughLauncherHelperExitsWithOne",
     L"full",
     L"run",
     L"no-main",
     1,
     {R"("text":"Error: Main method not found in class com.example.Main)",
      R"({"event":"System.exit","code":1,"cause":"LauncherHelper",)"},
     {}},
    {"ThrownExceptionIsReportedWhenTheThreadDetaches",
     L"full",
     L"run",
     L"throws",
     kHostOk,
     {kMainArguments,
      R"({"event":"throw","class":"java/lang/IllegalStateException","message":"thrown by main: \u00e9\u20ac\ud83d\ude00"})",
      kCleanEnd[0],
      R"({"event":"uncaught","text":"Exception in thread \"main\" java.lang.IllegalStateException: thrown by main: \u00e9\u20ac\ud83d\ude00\u000d\u000a\u0009at com.example.Main.main(Main.java:3)\u000d\u000a"})",
      kCleanEnd[1]},
     {}},
    {"ThrownExceptionCanBeCapturedAsText",
     L"full",
     L"capture",
     L"throws",
     kHostOk,
     {R"({"event":"ExceptionClear","pending":true})",
      R"({"event":"printStackTrace","class":"java/lang/IllegalStateException"})",
      R"({"event":"print","stream":"<bytes>","text":"java.lang.IllegalStateException: )",
      kCleanEnd[0], kCleanEnd[1]},
     {R"("event":"uncaught")"}},
    {"ThrownExceptionCanBeCapturedInUtf8",
     L"full",
     L"capture-UTF-8",
     L"throws",
     kHostOk,
     {R"({"event":"printStackTrace","class":"java/lang/IllegalStateException"})", kCleanEnd[1]},
     {R"("event":"uncaught")",
      R"("event":"throw","class":"java/io/UnsupportedEncodingException")"}},
    {"CaptureInAnUnsupportedCharsetFails",
     L"full",
     L"capture-EBCDIC",
     L"throws",
     kHostTraceMismatch,
     {R"({"event":"throw","class":"java/io/UnsupportedEncodingException","message":"EBCDIC"})"},
     {}},
    {"MainCallsSystemExit",
     L"full",
     L"run",
     L"exit:7",
     7,
     {kMainArguments, R"({"event":"System.exit","code":7,"cause":"main",)",
      R"({"event":"exitHookReturned","code":7})"},
     {R"("event":"DetachCurrentThread")"}},
    {"MainCallsSystemExitWithMinusOne",
     L"full",
     L"run",
     L"exit:-1",
     0xFFFFFFFF,
     {R"({"event":"System.exit","code":-1,"cause":"main",)"},
     {}},
    {"CreationFailsWithNotEnoughMemory",
     L"full",
     L"run",
     L"create-fails:-4",
     kHostCreateFailed,
     {kOptionLines[0], kOptionLines[3], R"({"event":"created","result":-4})"},
     {}},
    {"CreationFailsWithACodeOutsideTheKnownOnes",
     L"full",
     L"run",
     L"create-fails:-7",
     kHostCreateFailed,
     {R"({"event":"created","result":-7})"},
     {}},
    {"DetachFails",
     L"full",
     L"run",
     L"detach-fails",
     kHostDetachFailed,
     {R"("attached":true,"result":-1})"},
     {R"("event":"DestroyJavaVM")"}},
    {"UnexpectedCallAborts",
     L"full",
     L"unexpected",
     L"",
     kUnexpectedCallExitCode,
     {R"({"event":"unexpected","slot":"GetSuperclass","index":10})",
      R"({"event":"abort","what":"unexpected call GetSuperclass","abortHook":true})"},
     {},
     true},
    {"MisuseIsRecorded",
     L"full",
     L"misuse",
     L"",
     kHostOk,
     {R"({"event":"misuse","function":"DeleteLocalRef","what":"deletes a reference twice"})",
      R"({"event":"misuse","function":"GetMethodID","what":"called with a reference that was already deleted"})",
      R"({"event":"misuse","function":"FindClass","what":"called with the JNIEnv of thread )",
      R"({"event":"misuse","function":"DestroyJavaVM","what":"destroys the VM a second time"})"},
     {},
     true},
    {"UnknownRoleIsReported",
     L"full",
     L"run",
     L"returns,no-such-role",
     kHostOk,
     {R"("what":"FAKE_JVM_ROLE names an unknown role no-such-role"})"},
     {},
     true},
};

void PrintTo(const Case& c, std::ostream* out) {
  *out << c.name;
}

class FakeJvmCase : public testing::TestWithParam<Case> {};

TEST_P(FakeJvmCase, BehavesAsRecorded) {
  const Case& c = GetParam();
  const ChildResult child = RunChild(c.variant, c.scenario, {{L"FAKE_JVM_ROLE", c.role}});
  ASSERT_TRUE(child.finished) << "the host did not end in time";
  EXPECT_EQ(child.exitCode, c.exitCode);
  ExpectInOrder(child.log, c.expected);
  for (const std::string& piece : c.absent) {
    EXPECT_EQ(FindLine(child.log, piece), "") << "unexpected in the log: " << piece;
  }
  if (!c.misuseExpected) {
    EXPECT_EQ(FindLine(child.log, R"("event":"misuse")"), "");
    EXPECT_EQ(FindLine(child.log, R"("event":"unexpected")"), "");
  }
  if (HasFailure()) {
    std::cout << Dump(child.log);
  }
}

INSTANTIATE_TEST_SUITE_P(Roles, FakeJvmCase, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

struct ExportCase {
  const wchar_t* variant;
  DWORD exitCode;
};

TEST(FakeJvmVariants, ExportExactlyTheirEntryPoints) {
  const ExportCase cases[] = {
      {L"full", 7},
      {L"no_boot_loader", 3},
      {L"no_default_args", 5},
      {L"no_exports", 0},
      {L"missing_dependency", kHostLoadFailed | ERROR_MOD_NOT_FOUND},
  };
  for (const ExportCase& c : cases) {
    const ChildResult child = RunChild(c.variant, L"exports", {});
    ASSERT_TRUE(child.finished);
    EXPECT_EQ(child.exitCode, c.exitCode) << std::string(c.variant, c.variant + wcslen(c.variant));
  }
}

TEST(FakeJvmThreads, MainRunsOnTheCreatingThreadWithTheReportedStackSize) {
  const ChildResult child = RunChild(L"full", L"run", {{L"FAKE_JVM_STACK_SIZE", L"6291456"}});
  ASSERT_TRUE(child.finished);
  EXPECT_EQ(child.exitCode, static_cast<DWORD>(kHostOk));
  EXPECT_NE(FindLine(child.log, R"("javaStackSize":6291456,"result":-1})"), "");
  const std::string load = FindLine(child.log, R"({"event":"load")");
  const std::string created = FindLine(child.log, R"({"event":"CreateJavaVM")");
  const std::string main = FindLine(child.log, R"({"event":"main")");
  ASSERT_NE(main, "") << Dump(child.log);
  EXPECT_EQ(NumberField(main, "thread"), NumberField(created, "thread"));
  EXPECT_EQ(NumberField(main, "creatorThread"), NumberField(created, "thread"));
  EXPECT_EQ(NumberField(main, "loaderThread"), NumberField(load, "thread"));
  EXPECT_NE(NumberField(main, "thread"), NumberField(load, "thread"));
  EXPECT_GE(NumberField(main, "stackReservation"), 6291456);
}

TEST(FakeJvmStreams, RedirectedStreamsReachTheirFiles) {
  const std::wstring out = TempPath(L"out.txt");
  const std::wstring err = TempPath(L"err.txt");
  const ChildResult child =
      RunChild(L"full", L"redirect", {{L"FAKE_CHECK_OUT", out}, {L"FAKE_CHECK_ERR", err}});
  ASSERT_TRUE(child.finished);
  EXPECT_EQ(child.exitCode, static_cast<DWORD>(kHostOk)) << Dump(child.log);
  EXPECT_EQ(ReadFile(out), "main of com.example.Main writes to System.out\r\n");
  EXPECT_EQ(ReadFile(err), "main of com.example.Main writes to System.err\r\n");
  ExpectInOrder(child.log, {R"({"event":"FileOutputStream","path":)", R"({"event":"setOut",)",
                            R"({"event":"setErr",)", R"({"event":"main")"});
  DeleteFileW(out.c_str());
  DeleteFileW(err.c_str());
}

TEST(FakeJvmStreams, AFileThatCannotBeOpenedLeavesFileNotFoundPending) {
  const std::wstring out = TempPath(L"no\\such\\folder\\out.txt");
  const ChildResult child =
      RunChild(L"full", L"redirect", {{L"FAKE_CHECK_OUT", out}, {L"FAKE_CHECK_ERR", out}});
  ASSERT_TRUE(child.finished);
  EXPECT_EQ(child.exitCode, static_cast<DWORD>(kHostRedirectFailed));
  ExpectInOrder(child.log,
                {R"("opened":false,"error":3})",
                 R"({"event":"ExceptionDescribe","text":"java.io.FileNotFoundException: )"});
}

} // namespace
} // namespace fake_jvm_check

int wmain(int argc, wchar_t** argv) {
  if (argc == 4 && std::wstring(argv[1]) == L"--host") {
    return fake_jvm_check::RunHost(argv[2], argv[3]);
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
