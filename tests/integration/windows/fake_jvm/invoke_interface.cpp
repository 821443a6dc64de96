#include "fake_vm.h"
#include "java_library.h"
#include "log_record.h"

namespace fake_jvm {
namespace {

bool IsOurVm(JavaVM* vm, const char* function) {
  if (vm != &Vm().javaVm || !Vm().created) {
    ReportMisuse(function, "called with a JavaVM the VM never handed out");
    return false;
  }
  return true;
}

FakeEnv* CurrentEnv() {
  VmState& vm = Vm();
  std::lock_guard<std::recursive_mutex> guard(vm.lock);
  auto found = vm.envs.find(CurrentThreadId());
  return found != vm.envs.end() && !found->second->detached ? found->second : nullptr;
}

// Waits for the non-daemon threads (there are none here) and ends the VM.
jint JNICALL DestroyJavaVM(JavaVM* javaVm) {
  if (!IsOurVm(javaVm, "DestroyJavaVM")) {
    return JNI_ERR;
  }
  VmState& vm = Vm();
  std::lock_guard<std::recursive_mutex> guard(vm.lock);
  LogRecord("DestroyJavaVM")
      .Number("thread", CurrentThreadId())
      .Flag("attached", CurrentEnv() != nullptr)
      .Number("unreleasedUtfChars", static_cast<long long>(vm.utfChars.size()))
      .Number("unreleasedStringChars", static_cast<long long>(vm.stringChars.size()));
  if (vm.destroyed) {
    ReportMisuse("DestroyJavaVM", "destroys the VM a second time");
    return JNI_ERR;
  }
  vm.destroyed = true;
  return JNI_OK;
}

jint Attach(JavaVM* javaVm, void** env, const char* function) {
  if (!IsOurVm(javaVm, function) || env == nullptr) {
    return JNI_ERR;
  }
  FakeEnv* attached = AttachEnv(CurrentThreadId());
  LogRecord(function).Number("thread", CurrentThreadId());
  *env = &attached->jni;
  return JNI_OK;
}

jint JNICALL AttachCurrentThread(JavaVM* javaVm, void** env, void*) {
  return Attach(javaVm, env, "AttachCurrentThread");
}

jint JNICALL AttachCurrentThreadAsDaemon(JavaVM* javaVm, void** env, void*) {
  return Attach(javaVm, env, "AttachCurrentThreadAsDaemon");
}

jint JNICALL DetachCurrentThread(JavaVM* javaVm) {
  if (!IsOurVm(javaVm, "DetachCurrentThread")) {
    return JNI_ERR;
  }
  FakeEnv* env = CurrentEnv();
  const jint result = Vm().roles.detachFails ? JNI_ERR : JNI_OK;
  LogRecord("DetachCurrentThread")
      .Number("thread", CurrentThreadId())
      .Flag("attached", env != nullptr)
      .Number("result", result);
  if (env != nullptr && result == JNI_OK) {
    ReportUncaughtException(*env);
    env->detached = true;
  }
  return result;
}

jint JNICALL GetEnv(JavaVM* javaVm, void** env, jint version) {
  if (!IsOurVm(javaVm, "GetEnv") || env == nullptr) {
    return JNI_ERR;
  }
  FakeEnv* current = CurrentEnv();
  *env = current != nullptr ? &current->jni : nullptr;
  if (current == nullptr) {
    return JNI_EDETACHED;
  }
  return version >= JNI_VERSION_1_1 && version <= JNI_VERSION_10 ? JNI_OK : JNI_EVERSION;
}

} // namespace

const JNIInvokeInterface_* InvokeInterface() {
  static const JNIInvokeInterface_ table = [] {
    JNIInvokeInterface_ filled{};
    filled.DestroyJavaVM = DestroyJavaVM;
    filled.AttachCurrentThread = AttachCurrentThread;
    filled.DetachCurrentThread = DetachCurrentThread;
    filled.GetEnv = GetEnv;
    filled.AttachCurrentThreadAsDaemon = AttachCurrentThreadAsDaemon;
    return filled;
  }();
  return &table;
}

} // namespace fake_jvm
