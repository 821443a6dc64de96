#pragma once

// The parts the stand-in VM plays, chosen by the FAKE_JVM_ROLE environment variable: a list
// of role names separated by commas, read when the VM is created. With no role, the VM is
// created, every class a host asks for exists and `main` returns normally.
//
//   returns              main returns (the default)
//   throws               main throws java.lang.IllegalStateException (non-ASCII message)
//   exit:N               main calls System.exit(N)
//   create-fails:N       JNI_CreateJavaVM returns N (any integer, e.g. -4 or -7)
//   missing-class        the application's main class does not exist: FindClass fails with a
//                        pending NoClassDefFoundError, LauncherHelper reports it and exits 1
//   helper-throws        LauncherHelper.checkAndLoadMain returns null with an error pending
//   no-helper            JVM_FindClassFromBootLoader does not find sun/launcher/LauncherHelper
//   no-main              the main class has no main method: GetStaticMethodID returns null
//                        and leaves no exception (LauncherHelper reports it and exits 1)
//   no-main-pending      as no-main, with a NoSuchMethodError pending, as real JNI does
//   detach-fails         DetachCurrentThread returns JNI_ERR
//
// FAKE_JVM_STACK_SIZE (a decimal integer, default 1048576) is the javaStackSize that
// JNI_GetDefaultJavaVMInitArgs reports.

#include <string>
#include <string_view>
#include <vector>

namespace fake_jvm {

enum class MainBehaviour { kReturn, kThrow, kExit };

struct Roles {
  MainBehaviour main = MainBehaviour::kReturn;
  int exitCode = 0;
  bool createFails = false;
  int createResult = 0;
  bool missingClass = false;
  bool helperThrows = false;
  bool noHelper = false;
  bool noMain = false;
  bool noMainPending = false;
  bool detachFails = false;
  std::vector<std::string> unknown; // names that matched no role, reported in the log
};

Roles ParseRoles(std::string_view text);

// A decimal integer with an optional sign; false for anything else (or out of int range).
bool ParseInteger(std::string_view text, long long minimum, long long maximum, long long& value);

} // namespace fake_jvm
