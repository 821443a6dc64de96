#pragma once

// The JNI 1.1 initialisation record. Current JNI headers no longer declare it, yet the VM
// libraries still fill its javaStackSize field when JNI_GetDefaultJavaVMInitArgs is asked for
// version 1.1; that is how the launcher learns the runtime's default Java thread stack size.
// The layout is the historical one and must not change: the VM writes into it by offset.

#include <cstdarg>
#include <cstdio>

#include <jni.h>

namespace launcher {

struct JDK1_1InitArgs {
  jint version;

  char** properties;
  jint checkSource;
  jint nativeStackSize;
  jint javaStackSize;
  jint minHeapSize;
  jint maxHeapSize;
  jint verifyMode;
  char* classpath;

  jint(JNICALL* vfprintf)(FILE* fp, const char* format, va_list args);
  void(JNICALL* exit)(jint code);
  void(JNICALL* abort)(void);

  jint enableClassGC;
  jint enableVerboseGC;
  jint disableAsyncGC;
  jint verbose;
  jboolean debugging;
  jint debugPort;
};

} // namespace launcher
