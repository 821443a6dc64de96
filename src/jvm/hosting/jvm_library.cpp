#include "jvm/hosting/jvm_library.h"

#include <cstring>

#include "base/message_ids.h"
#include "base/string_table.h"
#include "jvm/hosting/dynamic_library.h"
#include "jvm/hosting/jdk1_1_init_args.h"

namespace launcher {
namespace {

void ShowMissingExport(WindowHandle owner, int errorCode) {
  ShowErrorMessage(owner, LoadResourceString(kMsgWindowsException),
                   LoadResourceString(kMsgCreateJavaVmMissing), errorCode);
}

} // namespace

bool BindJvmLibrary(const std::wstring& path, JvmLibrary& library, WindowHandle messageOwner) {
  int errorCode = 0;
  LibraryHandle module = LoadDynamicLibrary(path, errorCode);
  if (module == nullptr) {
    ShowErrorMessage(messageOwner, LoadResourceString(kMsgVmLibraryLoadFailed), path, errorCode);
    return false;
  }
  library.JNI_CreateJavaVM = reinterpret_cast<CreateJavaVmFunction>(
      FindLibraryExport(module, "JNI_CreateJavaVM", errorCode));
  if (library.JNI_CreateJavaVM == nullptr) {
    ShowMissingExport(messageOwner, errorCode);
    return false;
  }
  library.JNI_GetDefaultJavaVMInitArgs = reinterpret_cast<GetDefaultJavaVmInitArgsFunction>(
      FindLibraryExport(module, "JNI_GetDefaultJavaVMInitArgs", errorCode));
  if (library.JNI_GetDefaultJavaVMInitArgs == nullptr) {
    ShowMissingExport(messageOwner, errorCode);
    return false;
  }
  library.JVM_FindClassFromBootLoader = reinterpret_cast<FindClassFromBootLoaderFunction>(
      FindLibraryExport(module, "JVM_FindClassFromBootLoader", errorCode));
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
