#pragma once

// Creating the one Java VM of the process through the JNI invocation interface.

#include <string>
#include <vector>

#include <jni.h>

#include "base/error_message.h"
#include "jvm/hosting/jvm_library.h"
#include "jvm/hosting/vm_launch_state.h"

namespace launcher {

// The hooks handed to the VM as the "exit" and "abort" options. The VM ends the process itself
// once they return (for exit, with the code it was given); exit first puts in place the
// class-data archive that the runtime wrote at exit, if there is one.
void JNICALL VmExitHook(jint code);
void JNICALL VmAbortHook(void);

// The option records for JNI_CreateJavaVM: one per VM option in order (no extra info), then
// "abort" with VmAbortHook and "exit" with VmExitHook. The records point into `vmOptions`,
// which must outlive them.
std::vector<JavaVMOption> BuildVmOptionArray(std::vector<std::string>& vmOptions);

// The string-table id of the reason text for a JNI_CreateJavaVM result (225 to 230 for -1
// to -6), or 0 for any other value, whose reason is empty.
int VmCreationReasonId(jint result);
std::wstring VmCreationReason(jint result);

// Creates the VM with vm.vmOptions (JNI 1.2, unrecognised options rejected), storing it in
// vm.javaVm and vm.jniEnv, then redirects the standard streams as vm asks. On failure shows
// message 203 with 213 and the reason and returns false.
bool CreateVm(const JvmLibrary& library, VmLaunchState& vm, WindowHandle messageOwner = nullptr);

} // namespace launcher
