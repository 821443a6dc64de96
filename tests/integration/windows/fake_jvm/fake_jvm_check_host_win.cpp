#include "base/scoped_handle_win.h"
#include "base/windows_api.h"

#include <string>
#include <vector>

#include "entry_points.h"
#include "fake_jvm_check_host.h"

namespace fake_jvm_check {
namespace {

using CreateJavaVmFunction = jint(JNICALL*)(JavaVM**, void**, void*);
using DefaultArgsFunction = jint(JNICALL*)(void*);
using BootLoaderFunction = jclass(JNICALL*)(JNIEnv*, const char*);

// What main receives: blanks, an empty argument, quotes, and text beyond Latin-1 and the
// Basic Multilingual Plane.
const std::u16string kArguments[] = {u"plain", u"with blank", u"", u"\"quoted\"",
                                     u"\u00e9\u4e2d\U0001F600"};

const std::u16string kExpectedTrace = u"java.lang.IllegalStateException: thrown by main: "
                                      u"\u00e9\u20ac\U0001F600\r\n"
                                      u"\tat com.example.Main.main(Main.java:3)\r\n";

void JNICALL ExitHook(jint) {}
void JNICALL AbortHook() {}

struct Host {
  std::wstring scenario;
  CreateJavaVmFunction createJavaVm = nullptr;
  DefaultArgsFunction defaultArgs = nullptr;
  BootLoaderFunction findBootClass = nullptr;
  JavaVM* vm = nullptr;
  JNIEnv* env = nullptr;
};

jstring ToJavaString(JNIEnv* env, const std::u16string& text) {
  jclass stringClass = env->FindClass("java/lang/String");
  jmethodID constructor = env->GetMethodID(stringClass, "<init>", "([C)V");
  jcharArray chars = env->NewCharArray(static_cast<jsize>(text.size()));
  env->SetCharArrayRegion(chars, 0, static_cast<jsize>(text.size()),
                          reinterpret_cast<const jchar*>(text.data()));
  auto string = static_cast<jstring>(env->NewObject(stringClass, constructor, chars));
  env->DeleteLocalRef(chars);
  env->DeleteLocalRef(stringClass);
  return string;
}

bool Redirect(JNIEnv* env, const wchar_t* variable, const char* setter) {
  wchar_t path[MAX_PATH] = {};
  GetEnvironmentVariableW(variable, path, MAX_PATH);
  jclass fileClass = env->FindClass("java/io/FileOutputStream");
  jmethodID fileInit = env->GetMethodID(fileClass, "<init>", "(Ljava/lang/String;Z)V");
  jstring name = ToJavaString(env, std::u16string(path, path + wcslen(path)));
  jobject file = env->NewObject(fileClass, fileInit, name, JNI_FALSE);
  if (file == nullptr) {
    env->ExceptionDescribe();
    return false;
  }
  jclass printClass = env->FindClass("java/io/PrintStream");
  jmethodID printInit = env->GetMethodID(printClass, "<init>", "(Ljava/io/OutputStream;)V");
  jobject print = env->NewObject(printClass, printInit, file);
  jclass systemClass = env->FindClass("java/lang/System");
  jmethodID set = env->GetStaticMethodID(systemClass, setter, "(Ljava/io/PrintStream;)V");
  env->CallStaticVoidMethod(systemClass, set, print);
  return !env->ExceptionCheck();
}

jclass FindMainClass(Host& host, int& failure) {
  JNIEnv* env = host.env;
  if (host.findBootClass != nullptr) {
    jclass helper = host.findBootClass(env, "sun/launcher/LauncherHelper");
    if (helper != nullptr) {
      jmethodID check = env->GetStaticMethodID(helper, "checkAndLoadMain",
                                               "(ZILjava/lang/String;)Ljava/lang/Class;");
      jstring name = ToJavaString(env, u"com.example.Main");
      auto mainClass = static_cast<jclass>(
          env->CallStaticObjectMethod(helper, check, JNI_TRUE, static_cast<jint>(1), name));
      if (mainClass == nullptr) {
        env->ExceptionDescribe();
        failure = kHostHelperFailed;
      }
      return mainClass;
    }
  }
  jstring name = ToJavaString(env, u"com/example/Main");
  const char* chars = env->GetStringUTFChars(name, nullptr);
  jclass mainClass = env->FindClass(chars);
  env->ReleaseStringUTFChars(name, chars);
  if (mainClass == nullptr) {
    env->ExceptionDescribe();
    failure = kHostClassMissing;
  }
  return mainClass;
}

// printStackTrace into a byte stream, read back as text; with `charset`, through the
// constructor and toString that name the charset, as a launcher that wants UTF-8 does.
std::u16string CaptureStackTrace(JNIEnv* env, jthrowable throwable, const char* charset) {
  env->ExceptionClear();
  jclass bytesClass = env->FindClass("java/io/ByteArrayOutputStream");
  jobject bytes = env->NewObject(bytesClass, env->GetMethodID(bytesClass, "<init>", "()V"));
  jclass printClass = env->FindClass("java/io/PrintStream");
  jobject print = nullptr;
  jstring charsetName = charset != nullptr ? env->NewStringUTF(charset) : nullptr;
  if (charset != nullptr) {
    jmethodID constructor =
        env->GetMethodID(printClass, "<init>", "(Ljava/io/OutputStream;ZLjava/lang/String;)V");
    print = env->NewObject(printClass, constructor, bytes, JNI_FALSE, charsetName);
  } else {
    print = env->NewObject(
        printClass, env->GetMethodID(printClass, "<init>", "(Ljava/io/OutputStream;)V"), bytes);
  }
  if (print == nullptr) {
    return u"<no PrintStream>";
  }
  jmethodID printTrace = env->GetMethodID(env->GetObjectClass(throwable), "printStackTrace",
                                          "(Ljava/io/PrintStream;)V");
  env->CallVoidMethod(throwable, printTrace, print);
  jstring text = nullptr;
  if (charset != nullptr) {
    jmethodID toString = env->GetMethodID(env->GetObjectClass(bytes), "toString",
                                          "(Ljava/lang/String;)Ljava/lang/String;");
    text = static_cast<jstring>(env->CallObjectMethod(bytes, toString, charsetName));
  } else {
    jmethodID toString =
        env->GetMethodID(env->GetObjectClass(bytes), "toString", "()Ljava/lang/String;");
    text = static_cast<jstring>(env->CallObjectMethod(bytes, toString));
  }
  const jchar* chars = env->GetStringChars(text, nullptr);
  std::u16string result(reinterpret_cast<const char16_t*>(chars), env->GetStringLength(text));
  env->ReleaseStringChars(text, chars);
  return result;
}

int RunMain(Host& host) {
  JNIEnv* env = host.env;
  int failure = kHostOk;
  jclass mainClass = FindMainClass(host, failure);
  if (mainClass == nullptr) {
    return failure;
  }
  jmethodID main = env->GetStaticMethodID(mainClass, "main", "([Ljava/lang/String;)V");
  if (main == nullptr) {
    const bool pending = env->ExceptionCheck();
    env->ExceptionDescribe();
    return pending ? kHostMainMissing : kHostMainMissingSilently;
  }
  jclass stringClass = env->FindClass("java/lang/String");
  jobjectArray arguments = env->NewObjectArray(std::size(kArguments), stringClass, nullptr);
  for (size_t i = 0; i < std::size(kArguments); ++i) {
    jstring argument = ToJavaString(env, kArguments[i]);
    env->SetObjectArrayElement(arguments, static_cast<jsize>(i), argument);
    env->DeleteLocalRef(argument);
  }
  env->CallStaticVoidMethod(mainClass, main, arguments);
  jthrowable thrown = env->ExceptionOccurred();
  if (thrown != nullptr && host.scenario != L"run") {
    const wchar_t* prefix = L"capture-";
    const std::wstring charset =
        host.scenario.rfind(prefix, 0) == 0 ? host.scenario.substr(wcslen(prefix)) : std::wstring();
    const std::string narrow(charset.begin(), charset.end());
    if (CaptureStackTrace(env, thrown, charset.empty() ? nullptr : narrow.c_str()) !=
        kExpectedTrace) {
      return kHostTraceMismatch;
    }
  }
  return kHostOk;
}

void Misbehave(Host& host) {
  JNIEnv* env = host.env;
  jclass stringClass = env->FindClass("java/lang/String");
  env->DeleteLocalRef(stringClass);
  env->DeleteLocalRef(stringClass);
  env->GetMethodID(stringClass, "<init>", "([C)V");
  HANDLE other = CreateThread(
      nullptr, 0,
      [](void* parameter) -> DWORD {
        static_cast<JNIEnv*>(parameter)->FindClass("java/lang/System");
        return 0;
      },
      env, 0, nullptr);
  launcher::ScopedHandle thread(other);
  WaitForSingleObject(thread.get(), 60000);
}

DWORD WINAPI MainClassThread(void* parameter) {
  Host& host = *static_cast<Host*>(parameter);
  std::vector<JavaVMOption> options = {
      {const_cast<char*>("-Djava.class.path=C:\\app\\lib\\a.jar;C:\\app\\b.jar;"), nullptr},
      {const_cast<char*>("-Dname=a b"), nullptr},
      {const_cast<char*>("abort"), reinterpret_cast<void*>(&AbortHook)},
      {const_cast<char*>("exit"), reinterpret_cast<void*>(&ExitHook)},
  };
  JavaVMInitArgs init{};
  init.version = JNI_VERSION_1_2;
  init.nOptions = static_cast<jint>(options.size());
  init.options = options.data();
  init.ignoreUnrecognized = JNI_FALSE;
  if (host.createJavaVm(&host.vm, reinterpret_cast<void**>(&host.env), &init) != JNI_OK) {
    return kHostCreateFailed;
  }
  if (host.scenario == L"unexpected") {
    host.env->GetSuperclass(nullptr);
  }
  if (host.scenario == L"misuse") {
    Misbehave(host);
    host.vm->DestroyJavaVM();
    host.vm->DestroyJavaVM();
    return kHostOk;
  }
  if (host.scenario == L"redirect" && (!Redirect(host.env, L"FAKE_CHECK_OUT", "setOut") ||
                                       !Redirect(host.env, L"FAKE_CHECK_ERR", "setErr"))) {
    return kHostRedirectFailed;
  }
  const int result = RunMain(host);
  if (result != kHostOk) {
    return result;
  }
  if (host.vm->DetachCurrentThread() != JNI_OK) {
    return kHostDetachFailed;
  }
  host.vm->DestroyJavaVM();
  return kHostOk;
}

template <typename Function> Function Export(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

} // namespace

int RunHost(const std::wstring& scenario, const std::wstring& libraryPath) {
  HMODULE library = LoadLibraryW(libraryPath.c_str()); // stays loaded, as a VM library does
  if (library == nullptr) {
    return kHostLoadFailed | static_cast<int>(GetLastError());
  }
  Host host;
  host.scenario = scenario;
  host.createJavaVm = Export<CreateJavaVmFunction>(library, "JNI_CreateJavaVM");
  host.defaultArgs = Export<DefaultArgsFunction>(library, "JNI_GetDefaultJavaVMInitArgs");
  host.findBootClass = Export<BootLoaderFunction>(library, "JVM_FindClassFromBootLoader");
  if (scenario == L"exports") {
    return (host.createJavaVm != nullptr ? 1 : 0) | (host.defaultArgs != nullptr ? 2 : 0) |
           (host.findBootClass != nullptr ? 4 : 0);
  }
  if (host.createJavaVm == nullptr || host.defaultArgs == nullptr) {
    return kHostMissingExport;
  }
  fake_jvm::Jdk11InitArgs defaults{};
  defaults.version = JNI_VERSION_1_1;
  host.defaultArgs(&defaults);
  const SIZE_T stackSize = defaults.javaStackSize > 0 ? defaults.javaStackSize : 0;
  launcher::ScopedHandle thread(
      CreateThread(nullptr, stackSize, MainClassThread, &host, 0, nullptr));
  if (!thread.valid() || WaitForSingleObject(thread.get(), 120000) != WAIT_OBJECT_0) {
    return kHostCreateFailed;
  }
  DWORD code = 0;
  GetExitCodeThread(thread.get(), &code);
  return static_cast<int>(code);
}

} // namespace fake_jvm_check
