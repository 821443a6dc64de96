#pragma once

// The thread that creates the VM, finds the main class and runs its main, reacts
// to an uncaught exception, and destroys the VM.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <jni.h>

#include "base/error_message.h"
#include "jvm/hosting/jvm_library.h"
#include "jvm/hosting/vm_launch_state.h"

namespace launcher {

struct MainClassRequest {
  // The main class with packages separated by "/".
  std::wstring mainClass;
  // The arguments of main: the command line's, then the "Cmd" tokens.
  std::vector<std::wstring> arguments;
  // "Failure Check" is "Yes": an uncaught exception is shown, and ends the application when
  // the user chooses so.
  bool failureCheck = false;
  // The runtime is IBM's: the thread neither detaches nor ends after main returns; the
  // process ends when the Java code ends the VM.
  bool ibmRuntime = false;
  WindowHandle messageOwner = nullptr;
  // Called on the thread right before main, once the arguments are ready (the
  // single-instance event is signalled here).
  std::function<void()> mainStarting;
  // Called when main ends with an exception, before anything is shown (the splash window
  // is closed here).
  std::function<void()> closeSplash;
  // With failureCheck: shows the stack trace of the exception that ended main and returns
  // true when the application is to stop (System.exit(-1)), false to go on as after a normal
  // return. The uncaught-exception dialog of the user interface.
  std::function<bool(const std::wstring& trace)> showExceptionDialog;
};

// The results of the main-class thread.
constexpr uint32_t kMainReturned = 0;    // main returned (or its exception was ignored), the VM
                                         // was destroyed
constexpr uint32_t kMainClassFailed = 1; // no VM, no main class or no main: reported
constexpr uint32_t kMainThrew = 2;       // main ended with an exception, which was left to the VM
                                         // to report; the VM was destroyed

// Sets vm.threadStackSize to the runtime's default when nothing set it, runs
// MainClassThreadProc on a thread with that stack size (on the calling thread when none can
// be created) and returns its result.
uint32_t StartMainClassThread(const JvmLibrary& library, VmLaunchState& vm,
                              const MainClassRequest& request);

// CreateVm, RunMainClass, DestroyVm. After a failure the VM, if it exists, is left for
// DestroyVm on the process's main thread; this thread is detached from it first, or that
// DestroyVm would wait for this thread for ever.
uint32_t MainClassThreadProc(const JvmLibrary& library, VmLaunchState& vm,
                             const MainClassRequest& request);

enum class MainOutcome {
  kFailed,   // main was not called, or the thread could not detach
  kReturned, // main returned, or ended with an exception that was then ignored
  kThrew,    // main ended with an exception left to the VM
};

// Finds the main class (through sun.launcher.LauncherHelper when the runtime exports
// JVM_FindClassFromBootLoader, else FindClass), calls main (in the form that helper chose: an
// instance method on a new instance, or one without arguments, where the runtime allows them;
// else the static main(String[])), handles an uncaught exception,
// and detaches the thread. Shows 211, 215 or 216 when the class or main cannot be found.
MainOutcome RunMainClass(const JvmLibrary& library, VmLaunchState& vm,
                         const MainClassRequest& request);

// Destroys the VM if one exists (DestroyJavaVM waits for every non-daemon Java thread) and
// forgets it. Also the teardown's call, on the process's main thread.
void DestroyVm(VmLaunchState& vm);

// Calls System.exit(-1). Returns only when that did not end the VM: true when the call
// returned without an exception, false when a lookup failed or an exception was raised
// (which is then described).
bool CallSystemExit(JNIEnv* env);

} // namespace launcher
