// The library's JNI_CreateJavaVM export.
#define _JNI_IMPLEMENTATION_
#include <jni.h>

#include "entry_points.h"

extern "C" JNIEXPORT jint JNICALL JNI_CreateJavaVM(JavaVM** vm, void** env, void* arguments) {
  return fake_jvm::CreateJavaVm(vm, env, arguments);
}
