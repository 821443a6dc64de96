#pragma once

// A small host of the stand-in VM, run as a child process by the check: it loads one library
// variant and drives it through the JNI calls a launcher makes. Its exit code tells the
// check how far it got (kHost... below), unless the VM ended the process itself.

#include <string>

namespace fake_jvm_check {

constexpr int kHostOk = 0;
constexpr int kHostLoadFailed = 0x10000; // plus the GetLastError code of LoadLibraryW
constexpr int kHostMissingExport = 10;
constexpr int kHostCreateFailed = 20;
constexpr int kHostHelperFailed = 30;
constexpr int kHostClassMissing = 31;
constexpr int kHostMainMissing = 32;
constexpr int kHostMainMissingSilently = 33;
constexpr int kHostTraceMismatch = 41;
constexpr int kHostDetachFailed = 50;
constexpr int kHostRedirectFailed = 60;

// Scenarios:
//   exports     only loads the library; exit code: bit 1 JNI_CreateJavaVM, bit 2
//               JNI_GetDefaultJavaVMInitArgs, bit 4 JVM_FindClassFromBootLoader
//   run         the launch a launcher makes, leaving an exception of main pending
//   capture     the same, capturing the stack trace of an exception of main
//   capture-CS  the same, through the PrintStream and toString that take charset CS
//   redirect    the same, with System.out and System.err sent to FAKE_CHECK_OUT/_ERR
//   unexpected  calls a JNI function the fake does not implement
//   misuse      makes the mistakes the fake must record
int RunHost(const std::wstring& scenario, const std::wstring& libraryPath);

} // namespace fake_jvm_check
