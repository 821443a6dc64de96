#include "jvm/hosting/jvm_library.h"

#include <cstring>

#include "jvm/hosting/dynamic_library.h"
#include "jvm/hosting/jdk1_1_init_args.h"

namespace launcher {

bool BindJvmLibrary(const std::wstring& path, JvmLibrary& library, WindowHandle messageOwner) {
  // The platform edge tells what went wrong in its own terms.
  std::wstring failure;
  LibraryHandle module = LoadDynamicLibrary(path, failure);
  if (module == nullptr) {
    ShowErrorMessage(messageOwner, failure);
    return false;
  }
  library.JNI_CreateJavaVM = reinterpret_cast<CreateJavaVmFunction>(
      FindLibraryExport(module, path, "JNI_CreateJavaVM", failure));
  if (library.JNI_CreateJavaVM == nullptr) {
    ShowErrorMessage(messageOwner, failure);
    return false;
  }
  library.JNI_GetDefaultJavaVMInitArgs = reinterpret_cast<GetDefaultJavaVmInitArgsFunction>(
      FindLibraryExport(module, path, "JNI_GetDefaultJavaVMInitArgs", failure));
  if (library.JNI_GetDefaultJavaVMInitArgs == nullptr) {
    ShowErrorMessage(messageOwner, failure);
    return false;
  }
  library.JVM_FindClassFromBootLoader = reinterpret_cast<FindClassFromBootLoaderFunction>(
      FindLibraryExport(module, path, "JVM_FindClassFromBootLoader", failure));
  return true;
}

uint64_t DefaultThreadStackSize(const JvmLibrary& library) {
  if (library.JNI_GetDefaultJavaVMInitArgs == nullptr) {
    return 0;
  }
  JDK1_1InitArgs args;
  std::memset(&args, 0, sizeof args);
  args.version = JNI_VERSION_1_1;
  library.JNI_GetDefaultJavaVMInitArgs(&args);
  return args.javaStackSize > 0 ? static_cast<uint64_t>(args.javaStackSize) : 0;
}

} // namespace launcher
