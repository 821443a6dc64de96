#include "jvm/hosting/vm_creation.h"

#include "base/message_ids.h"
#include "base/string_table.h"
#include "base/trace.h"
#include "jvm/hosting/class_data_cache_setup.h"
#include "jvm/hosting/stream_redirection.h"

namespace launcher {
namespace {

char kAbortOption[] = "abort";
char kExitOption[] = "exit";

} // namespace

// System.exit ends the process right after this hook: the archive that the runtime has just
// written at exit is put in place here or never.
void JNICALL VmExitHook(jint code) {
  Trace(L"the VM ends the process (System.exit or its own end): exit code ", code);
  FinishClassDataArchive();
}

void JNICALL VmAbortHook(void) {}

std::vector<JavaVMOption> BuildVmOptionArray(std::vector<std::string>& vmOptions) {
  std::vector<JavaVMOption> options;
  options.reserve(vmOptions.size() + 2);
  for (std::string& option : vmOptions) {
    options.push_back(JavaVMOption{option.data(), nullptr});
  }
  options.push_back(JavaVMOption{kAbortOption, reinterpret_cast<void*>(&VmAbortHook)});
  options.push_back(JavaVMOption{kExitOption, reinterpret_cast<void*>(&VmExitHook)});
  return options;
}

int VmCreationReasonId(jint result) {
  switch (result) {
  case JNI_ERR:
    return kMsgReasonUnknown;
  case JNI_EDETACHED:
    return kMsgReasonDetached;
  case JNI_EVERSION:
    return kMsgReasonVersion;
  case JNI_ENOMEM:
    return kMsgReasonNoMemory;
  case JNI_EEXIST:
    return kMsgReasonExists;
  case JNI_EINVAL:
    return kMsgReasonInvalid;
  default:
    return 0;
  }
}

std::wstring VmCreationReason(jint result) {
  const int id = VmCreationReasonId(result);
  return id == 0 ? std::wstring() : LoadResourceString(id);
}

bool CreateVm(const JvmLibrary& library, VmLaunchState& vm, WindowHandle messageOwner) {
  std::vector<JavaVMOption> options = BuildVmOptionArray(vm.vmOptions);
  JavaVMInitArgs args;
  args.version = JNI_VERSION_1_2;
  args.nOptions = static_cast<jint>(options.size());
  args.options = options.data();
  args.ignoreUnrecognized = JNI_FALSE;

  if (TraceEnabled()) {
    for (const JavaVMOption& option : options) {
      Trace(L"VM option ", std::string_view(option.optionString));
    }
  }
  const double creationStart = TracePhaseStart();
  const jint result =
      library.JNI_CreateJavaVM == nullptr
          ? JNI_ERR
          : library.JNI_CreateJavaVM(&vm.javaVm, reinterpret_cast<void**>(&vm.jniEnv), &args);
  TracePhase(L"VM creation", creationStart);
  if (result != JNI_OK) {
    Trace(L"JNI_CreateJavaVM failed: ", result);
    vm.javaVm = nullptr;
    vm.jniEnv = nullptr;
    ShowErrorMessage(messageOwner, LoadResourceString(kMsgJniException),
                     LoadResourceString(kMsgCreateVmFailed), VmCreationReason(result));
    return false;
  }
  RedirectStandardStreams(vm);
  return true;
}

} // namespace launcher
