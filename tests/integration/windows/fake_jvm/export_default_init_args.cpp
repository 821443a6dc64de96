// The library's JNI_GetDefaultJavaVMInitArgs export.
#define _JNI_IMPLEMENTATION_
#include <jni.h>

#include "entry_points.h"

extern "C" JNIEXPORT jint JNICALL JNI_GetDefaultJavaVMInitArgs(void* arguments) {
  return fake_jvm::DefaultJavaVmInitArgs(arguments);
}
