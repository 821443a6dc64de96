#pragma once

// Sending System.out and System.err to files, and turning an uncaught exception into the
// text that printStackTrace writes.

#include <string>

#include <jni.h>

#include "jvm/hosting/vm_launch_state.h"

namespace launcher {

enum class StandardStream { kOutput, kError };

// Expands the date/time pictures of vm.outputFile and vm.errorFile with one moment read
// once for both, then redirects System.out, then System.err. Failures are only described on
// the Java error stream current at that moment; they never stop the launch.
void RedirectStandardStreams(VmLaunchState& vm);

// Creates the missing folders above the file, opens it (appending or replacing) as a
// java.io.FileOutputStream, wraps it in a PrintStream and installs it with System.setOut or
// System.setErr. False on any failure; an exception raised by opening the file is left
// pending for the caller to describe.
bool RedirectStream(JNIEnv* env, const std::wstring& path, bool append, StandardStream target);

// The complete output of the throwable's printStackTrace, with the VM's line separators.
// Clears the pending exception first. Empty when the text cannot be built (an exception
// raised meanwhile is described on the Java error stream). The trace travels as UTF-8 from
// the VM, so characters outside the platform's default character set arrive unchanged.
std::wstring CaptureStackTrace(JNIEnv* env, jthrowable throwable);

} // namespace launcher
