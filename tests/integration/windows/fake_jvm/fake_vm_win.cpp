#include "base/windows_api.h"

#include "fake_vm.h"
#include "log_record.h"
#include "modified_utf8.h"

namespace fake_jvm {

VmState& Vm() {
  static VmState* state = new VmState(); // lives until the process ends, like the VM
  return *state;
}

unsigned long CurrentThreadId() {
  return GetCurrentThreadId();
}

void ReportMisuse(const char* function, std::string_view what) {
  LogRecord("misuse").Ascii("function", function).Text("what", FromAscii(what));
}

FakeEnv* AttachEnv(unsigned long thread) {
  VmState& vm = Vm();
  std::lock_guard<std::recursive_mutex> guard(vm.lock);
  FakeEnv*& env = vm.envs[thread];
  if (env == nullptr || env->detached) {
    env = new FakeEnv();
    env->jni.functions = NativeInterface();
    env->thread = thread;
  }
  return env;
}

FakeEnv& CheckedEnv(JNIEnv* jniEnv, const char* function) {
  VmState& vm = Vm();
  std::lock_guard<std::recursive_mutex> guard(vm.lock);
  auto* env = reinterpret_cast<FakeEnv*>(jniEnv);
  bool known = false;
  for (const auto& entry : vm.envs) {
    known = known || entry.second == env;
  }
  if (!known) {
    ReportMisuse(function, "called with a JNIEnv the VM never handed out");
    AbortVm("JNIEnv unknown to the VM");
  }
  if (vm.destroyed) {
    ReportMisuse(function, "called after DestroyJavaVM");
  }
  if (env->detached) {
    ReportMisuse(function, "called with the JNIEnv of a detached thread");
  }
  if (env->thread != GetCurrentThreadId()) {
    ReportMisuse(function, "called with the JNIEnv of thread " + std::to_string(env->thread) +
                               " on thread " + std::to_string(GetCurrentThreadId()));
  }
  return *env;
}

void CheckNoPendingException(const FakeEnv& env, const char* function) {
  if (env.pending != nullptr) {
    ReportMisuse(function, "called while an exception is pending");
  }
}

FakeObject* NewObject(ObjectKind kind, std::string className) {
  auto* object = new FakeObject(); // objects are never collected in this VM
  object->kind = kind;
  object->className = std::move(className);
  return object;
}

jobject NewReference(FakeObject* object, bool global) {
  if (object == nullptr) {
    return nullptr;
  }
  VmState& vm = Vm();
  std::lock_guard<std::recursive_mutex> guard(vm.lock);
  auto* reference = new Reference{object, global, false};
  vm.references.insert(reference);
  return reinterpret_cast<jobject>(reference);
}

FakeObject* Deref(jobject handle, const char* function) {
  if (handle == nullptr) {
    return nullptr;
  }
  VmState& vm = Vm();
  std::lock_guard<std::recursive_mutex> guard(vm.lock);
  auto* reference = reinterpret_cast<const Reference*>(handle);
  if (vm.references.count(reference) == 0) {
    ReportMisuse(function, "called with a reference the VM never issued");
    return nullptr;
  }
  if (reference->deleted) {
    ReportMisuse(function, "called with a reference that was already deleted");
    return nullptr;
  }
  return reference->object;
}

void DeleteReference(jobject handle, bool global, const char* function) {
  if (handle == nullptr) {
    return;
  }
  VmState& vm = Vm();
  std::lock_guard<std::recursive_mutex> guard(vm.lock);
  auto* reference = reinterpret_cast<Reference*>(handle);
  if (vm.references.count(reference) == 0) {
    ReportMisuse(function, "called with a reference the VM never issued");
  } else if (reference->deleted) {
    ReportMisuse(function, "deletes a reference twice");
  } else if (reference->global != global) {
    ReportMisuse(function, global ? "deletes a local reference" : "deletes a global reference");
  } else {
    reference->deleted = true;
  }
}

FakeMethod* NewMethod(MethodKind kind, std::string className, std::string name,
                      std::string signature, bool isStatic) {
  VmState& vm = Vm();
  std::lock_guard<std::recursive_mutex> guard(vm.lock);
  auto* method =
      new FakeMethod{kind, std::move(className), std::move(name), std::move(signature), isStatic};
  vm.methods.insert(method);
  return method;
}

FakeMethod* CheckedMethod(jmethodID id, const char* function) {
  VmState& vm = Vm();
  std::lock_guard<std::recursive_mutex> guard(vm.lock);
  auto* method = reinterpret_cast<FakeMethod*>(id);
  if (vm.methods.count(method) == 0) {
    ReportMisuse(function, "called with a method id the VM never issued");
    return nullptr;
  }
  return method;
}

void Throw(FakeEnv& env, std::string className, std::u16string message, std::u16string frames) {
  FakeObject* throwable = NewObject(ObjectKind::kThrowable, std::move(className));
  throwable->message = std::move(message);
  throwable->frames = std::move(frames);
  env.pending = throwable;
  LogRecord("throw")
      .Text("class", FromAscii(throwable->className))
      .Text("message", throwable->message);
}

void ExitVm(int code, const char* cause) {
  VmState& vm = Vm();
  LogRecord("System.exit")
      .Number("code", code)
      .Ascii("cause", cause)
      .Number("thread", GetCurrentThreadId())
      .Flag("exitHook", vm.exitHook != nullptr);
  if (vm.exitHook != nullptr) {
    vm.exitHook(code);
    LogRecord("exitHookReturned").Number("code", code);
  }
  ExitProcess(static_cast<UINT>(code));
}

void AbortVm(std::string_view what) {
  VmState& vm = Vm();
  LogRecord("abort").Text("what", FromAscii(what)).Flag("abortHook", vm.abortHook != nullptr);
  const std::string text = "fake jvm: " + std::string(what) + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written,
            nullptr);
  if (vm.abortHook != nullptr) {
    vm.abortHook();
  }
  TerminateProcess(GetCurrentProcess(), kUnexpectedCallExitCode);
  ExitProcess(kUnexpectedCallExitCode); // not reached
}

} // namespace fake_jvm
