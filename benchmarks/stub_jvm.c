/*
 * A VM library that ends the process the moment a VM is asked for. A host started through it
 * shows what it costs before the VM exists: the launcher's settings, runtime search, checks,
 * library path and options, against the minimal host's bare dlopen and thread.
 */
#include <jni.h>
#include <unistd.h>

JNIEXPORT jint JNICALL JNI_GetDefaultJavaVMInitArgs(void* args) {
  (void)args; /* no default stack size: the host's thread gets the system's */
  return JNI_OK;
}

JNIEXPORT jint JNICALL JNI_CreateJavaVM(JavaVM** vm, void** env, void* args) {
  (void)vm;
  (void)env;
  (void)args;
  _exit(0);
}
