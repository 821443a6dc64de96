#include "jvm/hosting/main_class_thread.h"

#include "base/message_ids.h"
#include "base/string_table.h"
#include "base/text.h"
#include "base/trace.h"
#include "jvm/hosting/class_data_cache_setup.h"
#include "jvm/hosting/java_strings.h"
#include "jvm/hosting/modified_utf8.h"
#include "jvm/hosting/own_thread.h"
#include "jvm/hosting/stream_redirection.h"
#include "jvm/hosting/vm_creation.h"

namespace launcher {
namespace {

constexpr jint kLoadMainByClassName = 1;

// The form of main that the runtime's own launcher calls: since Java 25 (as a preview from
// Java 21) main may be an instance method and may take no arguments. The launcher helper of
// such a runtime leaves the form of the method it accepted in two static fields; older helpers
// have neither, and main is static with the argument array.
struct MainMethodForm {
  bool isStatic = true;
  bool takesArguments = true;
};

MainMethodForm ReadMainMethodForm(JNIEnv* env, jclass helper) {
  MainMethodForm form;
  jfieldID isStaticMain = env->GetStaticFieldID(helper, "isStaticMain", "Z");
  jfieldID noArgMain =
      isStaticMain != nullptr ? env->GetStaticFieldID(helper, "noArgMain", "Z") : nullptr;
  if (isStaticMain == nullptr || noArgMain == nullptr) {
    env->ExceptionClear(); // NoSuchFieldError: a helper from before these forms
    return form;
  }
  form.isStatic = env->GetStaticBooleanField(helper, isStaticMain) == JNI_TRUE;
  form.takesArguments = env->GetStaticBooleanField(helper, noArgMain) != JNI_TRUE;
  return form;
}

// The main class through the runtime's own launcher helper, which also checks it and prints
// its own error text on the Java error stream, and the form of its main. Null when that path
// yields no class, for any reason (an exception it raised stays pending).
jclass LoadMainClassThroughHelper(const JvmLibrary& library, JNIEnv* env,
                                  const std::wstring& mainClass, MainMethodForm& form) {
  jclass helper = library.JVM_FindClassFromBootLoader(env, "sun/launcher/LauncherHelper");
  if (helper == nullptr) {
    return nullptr;
  }
  jclass result = nullptr;
  jmethodID checkAndLoadMain =
      env->GetStaticMethodID(helper, "checkAndLoadMain", "(ZILjava/lang/String;)Ljava/lang/Class;");
  if (checkAndLoadMain != nullptr) {
    jstring name = ToJavaString(env, ReplaceAll(mainClass, L'/', L'.'));
    if (name != nullptr) {
      result = static_cast<jclass>(env->CallStaticObjectMethod(helper, checkAndLoadMain, JNI_TRUE,
                                                               kLoadMainByClassName, name));
      env->DeleteLocalRef(name);
    }
  }
  if (result != nullptr) {
    form = ReadMainMethodForm(env, helper);
  }
  env->DeleteLocalRef(helper);
  return result;
}

// The main method of the given form; null with an exception pending when there is none.
jmethodID FindMainMethod(JNIEnv* env, jclass mainClass, const MainMethodForm& form) {
  const char* signature = form.takesArguments ? "([Ljava/lang/String;)V" : "()V";
  return form.isStatic ? env->GetStaticMethodID(mainClass, "main", signature)
                       : env->GetMethodID(mainClass, "main", signature);
}

// Calls main in its form; an instance main runs on a new instance made by the class's
// constructor without arguments, whose exception counts as main's own, as with java.
void CallMain(JNIEnv* env, jclass mainClass, jmethodID mainMethod, const MainMethodForm& form,
              jobjectArray arguments) {
  if (form.isStatic) {
    if (form.takesArguments) {
      env->CallStaticVoidMethod(mainClass, mainMethod, arguments);
    } else {
      env->CallStaticVoidMethod(mainClass, mainMethod);
    }
    return;
  }
  jmethodID constructor = env->GetMethodID(mainClass, "<init>", "()V");
  if (constructor == nullptr) {
    return;
  }
  jobject instance = env->NewObject(mainClass, constructor);
  if (instance == nullptr) {
    return;
  }
  if (form.takesArguments) {
    env->CallVoidMethod(instance, mainMethod, arguments);
  } else {
    env->CallVoidMethod(instance, mainMethod);
  }
  env->DeleteLocalRef(instance);
}

// The main class through FindClass with the slash form. Shows its own messages.
jclass LoadMainClassDirectly(JNIEnv* env, const MainClassRequest& request) {
  jstring name = ToJavaString(env, request.mainClass);
  if (name == nullptr) {
    ShowErrorMessage(request.messageOwner, LoadResourceString(kMsgMainClassLoadFailed),
                     request.mainClass);
    return nullptr;
  }
  const char* chars = env->GetStringUTFChars(name, nullptr);
  if (chars == nullptr) {
    DescribePendingException(env);
    env->DeleteLocalRef(name);
    return nullptr;
  }
  jclass mainClass = env->FindClass(chars);
  if (mainClass == nullptr) {
    const std::wstring className = WideFromModifiedUtf8(chars);
    env->ReleaseStringUTFChars(name, chars);
    env->DeleteLocalRef(name);
    DescribePendingException(env);
    ShowErrorMessage(request.messageOwner, LoadResourceString(kMsgMainClassNotFound), className);
    return nullptr;
  }
  env->ReleaseStringUTFChars(name, chars);
  env->DeleteLocalRef(name);
  return mainClass;
}

// True when the exception is left to the VM, which reports it when the thread detaches; false
// when the user saw it and chose to go on (or there was nothing to show).
bool HandleUncaughtException(JNIEnv* env, jthrowable thrown, const MainClassRequest& request) {
  if (request.closeSplash) {
    request.closeSplash();
  }
  if (!request.failureCheck) {
    return true;
  }
  const std::wstring trace = CaptureStackTrace(env, thrown);
  if (request.showExceptionDialog && request.showExceptionDialog(trace)) {
    CallSystemExit(env);
  }
  return false;
}

// Lets go of the VM after a failure, so that DestroyVm on another thread does not wait for
// this one. An exception still pending here has been reported by its message already.
void DetachAfterFailure(VmLaunchState& vm) {
  if (vm.javaVm != nullptr && vm.jniEnv != nullptr) {
    vm.jniEnv->ExceptionClear();
    vm.javaVm->DetachCurrentThread();
  }
}

} // namespace

MainOutcome RunMainClass(const JvmLibrary& library, VmLaunchState& vm,
                         const MainClassRequest& request) {
  JNIEnv* env = vm.jniEnv;
  jclass mainClass = nullptr;
  MainMethodForm form;
  if (library.JVM_FindClassFromBootLoader != nullptr) {
    mainClass = LoadMainClassThroughHelper(library, env, request.mainClass, form);
    Trace(L"main class ", request.mainClass, L" through LauncherHelper.checkAndLoadMain: ",
          mainClass != nullptr ? L"loaded" : L"not loaded");
  }
  if (mainClass == nullptr) {
    mainClass = LoadMainClassDirectly(env, request);
    Trace(L"main class ", request.mainClass, L" through FindClass: ",
          mainClass != nullptr ? L"loaded" : L"not loaded");
    if (mainClass == nullptr) {
      return MainOutcome::kFailed;
    }
  }
  Trace(L"main: ", form.isStatic ? L"static" : L"instance", L" main(",
        form.takesArguments ? L"String[]" : L"", L")");

  jmethodID mainMethod = FindMainMethod(env, mainClass, form);
  if (mainMethod == nullptr) {
    if (env->ExceptionCheck()) {
      env->ExceptionDescribe();
    } else {
      ShowErrorMessage(request.messageOwner, LoadResourceString(kMsgMainMethodNotFound));
    }
    return MainOutcome::kFailed;
  }
  jobjectArray arguments = ToJavaStringArray(env, request.arguments);
  if (arguments == nullptr) {
    DescribePendingException(env);
    return MainOutcome::kFailed;
  }

  if (request.mainStarting) {
    request.mainStarting();
  }
  TracePhase(L"until main", 0.0);
  CallMain(env, mainClass, mainMethod, form, arguments);
  bool threw = false;
  if (jthrowable thrown = env->ExceptionOccurred()) {
    threw = HandleUncaughtException(env, thrown, request);
  }

  if (request.ibmRuntime) {
    SleepForever();
  }
  if (vm.javaVm->DetachCurrentThread() != JNI_OK) {
    return MainOutcome::kFailed;
  }
  return threw ? MainOutcome::kThrew : MainOutcome::kReturned;
}

uint32_t MainClassThreadProc(const JvmLibrary& library, VmLaunchState& vm,
                             const MainClassRequest& request) {
  if (!CreateVm(library, vm, request.messageOwner)) {
    return kMainClassFailed;
  }
  const MainOutcome outcome = RunMainClass(library, vm, request);
  if (outcome == MainOutcome::kFailed) {
    DetachAfterFailure(vm);
    return kMainClassFailed;
  }
  DestroyVm(vm);
  return outcome == MainOutcome::kThrew ? kMainThrew : kMainReturned;
}

uint32_t StartMainClassThread(const JvmLibrary& library, VmLaunchState& vm,
                              const MainClassRequest& request) {
  if (vm.threadStackSize == 0) {
    vm.threadStackSize = DefaultThreadStackSize(library);
  }
  return RunOnOwnThread(vm.threadStackSize, [&library, &vm, &request] {
    return MainClassThreadProc(library, vm, request);
  });
}

void DestroyVm(VmLaunchState& vm) {
  if (vm.javaVm == nullptr) {
    return;
  }
  vm.javaVm->DestroyJavaVM();
  vm.javaVm = nullptr;
  vm.jniEnv = nullptr;
  // The runtime writes a class-data archive while it shuts down.
  FinishClassDataArchive();
}

bool CallSystemExit(JNIEnv* env) {
  jclass systemClass = env->FindClass("java/lang/System");
  if (systemClass == nullptr) {
    DescribePendingException(env);
    return false;
  }
  jmethodID exitMethod = env->GetStaticMethodID(systemClass, "exit", "(I)V");
  if (exitMethod == nullptr) {
    DescribePendingException(env);
    env->DeleteLocalRef(systemClass);
    return false;
  }
  env->CallStaticVoidMethod(systemClass, exitMethod, static_cast<jint>(-1));
  env->DeleteLocalRef(systemClass);
  if (env->ExceptionCheck()) {
    env->ExceptionDescribe();
    return false;
  }
  return true;
}

} // namespace launcher
