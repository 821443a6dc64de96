#pragma once

// What the VM library's exports do. Each export lives in a file of its own so that the
// library variants (one without JVM_FindClassFromBootLoader, one without
// JNI_GetDefaultJavaVMInitArgs, one with no entry point at all) are made by leaving files out.

#include <jni.h>

#include "jvm/hosting/jdk1_1_init_args.h"

namespace fake_jvm {

jint CreateJavaVm(JavaVM** vm, void** env, void* arguments);
jint DefaultJavaVmInitArgs(void* arguments);
jclass FindClassFromBootLoader(JNIEnv* env, const char* name);

} // namespace fake_jvm
