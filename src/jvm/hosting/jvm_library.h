#pragma once

// Binding the runtime's VM library: the two required JNI invocation exports and the
// optional boot-loader class lookup, and the runtime's default Java thread stack size.

#include <cstdint>
#include <string>

#include <jni.h>

#include "base/error_message.h"

namespace launcher {

using CreateJavaVmFunction = jint(JNICALL*)(JavaVM** vm, void** env, void* args);
using GetDefaultJavaVmInitArgsFunction = jint(JNICALL*)(void* args);
using FindClassFromBootLoaderFunction = jclass(JNICALL*)(JNIEnv* env, const char* name);

// The entry points bound from the VM library, named as the library exports them.
struct JvmLibrary {
  CreateJavaVmFunction JNI_CreateJavaVM = nullptr;
  GetDefaultJavaVmInitArgsFunction JNI_GetDefaultJavaVMInitArgs = nullptr;
  // Optional; null for runtimes that do not export it.
  FindClassFromBootLoaderFunction JVM_FindClassFromBootLoader = nullptr;
};

// Loads the library at `path` and binds its exports. On failure shows why (dynamic_library.h:
// on Windows message 222 when the library cannot be loaded, 202 with 212 when a required
// export is missing) and returns false. The library is never unloaded.
bool BindJvmLibrary(const std::wstring& path, JvmLibrary& library,
                    WindowHandle messageOwner = nullptr);

// The runtime's default Java thread stack size in bytes, read through the JNI 1.1
// initialisation record; 0 when the runtime reports none.
uint64_t DefaultThreadStackSize(const JvmLibrary& library);

} // namespace launcher
