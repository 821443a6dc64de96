// The runtime's optional JVM_FindClassFromBootLoader export, which older runtimes lack.
#include <jni.h>

#include "entry_points.h"

extern "C" JNIEXPORT jclass JNICALL JVM_FindClassFromBootLoader(JNIEnv* env, const char* name) {
  return fake_jvm::FindClassFromBootLoader(env, name);
}
