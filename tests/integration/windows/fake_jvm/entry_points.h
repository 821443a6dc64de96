#pragma once

// What the VM library's exports do. Each export lives in a file of its own so that the
// library variants (one without JVM_FindClassFromBootLoader, one without
// JNI_GetDefaultJavaVMInitArgs, one with no entry point at all) are made by leaving files out.

#include <jni.h>

namespace fake_jvm {

// The JNI 1.1 initialisation record as the JDK declared it; the current JNI headers no longer
// do. Hosts still pass it to JNI_GetDefaultJavaVMInitArgs to learn the default Java thread
// stack size, and a VM still fills its version and javaStackSize fields.
struct Jdk11InitArgs {
  jint version;
  char** properties;
  jint checkSource;
  jint nativeStackSize;
  jint javaStackSize;
  jint minHeapSize;
  jint maxHeapSize;
  jint verifyMode;
  char* classpath;
  jint(JNICALL* vfprintf)(void* stream, const char* format, void* arguments);
  void(JNICALL* exit)(jint code);
  void(JNICALL* abort)();
  jint enableClassGC;
  jint enableVerboseGC;
  jint disableAsyncGC;
  jint verbose;
  jboolean debugging;
  jint debugPort;
};

jint CreateJavaVm(JavaVM** vm, void** env, void* arguments);
jint DefaultJavaVmInitArgs(void* arguments);
jclass FindClassFromBootLoader(JNIEnv* env, const char* name);

} // namespace fake_jvm
