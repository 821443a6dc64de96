#include "jvm/hosting/stream_redirection.h"

#include "base/files.h"
#include "jvm/hosting/java_strings.h"
#include "jvm/hosting/local_time.h"

namespace launcher {
namespace {

// Owns one JNI local reference.
template <typename Reference> class LocalRef {
public:
  LocalRef(JNIEnv* env, Reference reference) : env_(env), reference_(reference) {}
  ~LocalRef() {
    if (reference_ != nullptr) {
      env_->DeleteLocalRef(reference_);
    }
  }
  LocalRef(const LocalRef&) = delete;
  LocalRef& operator=(const LocalRef&) = delete;
  Reference get() const { return reference_; }
  explicit operator bool() const { return reference_ != nullptr; }

private:
  JNIEnv* env_;
  Reference reference_;
};

bool HasPicture(const std::wstring& fileName) {
  return fileName.find(L'%') != std::wstring::npos;
}

void RedirectOrDescribe(JNIEnv* env, const std::wstring& path, bool append, StandardStream target) {
  if (!RedirectStream(env, path, append, target)) {
    DescribePendingException(env);
  }
}

// A PrintStream over `out` that writes UTF-8.
jobject NewUtf8PrintStream(JNIEnv* env, jobject out) {
  LocalRef<jclass> printStreamClass(env, env->FindClass("java/io/PrintStream"));
  if (!printStreamClass) {
    return nullptr;
  }
  jmethodID constructor = env->GetMethodID(printStreamClass.get(), "<init>",
                                           "(Ljava/io/OutputStream;ZLjava/lang/String;)V");
  if (constructor == nullptr) {
    return nullptr; // NoSuchMethodError stays pending for the caller to describe
  }
  LocalRef<jstring> encoding(env, env->NewStringUTF("UTF-8"));
  if (!encoding) {
    return nullptr;
  }
  return env->NewObject(printStreamClass.get(), constructor, out, JNI_FALSE, encoding.get());
}

} // namespace

void RedirectStandardStreams(VmLaunchState& vm) {
  if (HasPicture(vm.outputFile) || HasPicture(vm.errorFile)) {
    const LocalTime moment = ReadLocalTime();
    if (HasPicture(vm.outputFile)) {
      ExpandDateTimePattern(vm.outputFile, moment);
    }
    if (HasPicture(vm.errorFile)) {
      ExpandDateTimePattern(vm.errorFile, moment);
    }
  }
  if (!vm.outputFile.empty()) {
    RedirectOrDescribe(vm.jniEnv, vm.outputFile, vm.appendOutput, StandardStream::kOutput);
  }
  if (!vm.errorFile.empty()) {
    RedirectOrDescribe(vm.jniEnv, vm.errorFile, vm.appendError, StandardStream::kError);
  }
}

bool RedirectStream(JNIEnv* env, const std::wstring& path, bool append, StandardStream target) {
  CreateParentFolders(path);
  LocalRef<jstring> javaPath(env, ToJavaString(env, path));
  if (!javaPath) {
    return false;
  }
  LocalRef<jclass> fileStreamClass(env, env->FindClass("java/io/FileOutputStream"));
  if (!fileStreamClass) {
    return false;
  }
  jmethodID fileStreamConstructor =
      env->GetMethodID(fileStreamClass.get(), "<init>", "(Ljava/lang/String;Z)V");
  if (fileStreamConstructor == nullptr) {
    return false;
  }
  LocalRef<jobject> fileStream(env, env->NewObject(fileStreamClass.get(), fileStreamConstructor,
                                                   javaPath.get(), append ? JNI_TRUE : JNI_FALSE));
  if (!fileStream) {
    return false;
  }
  LocalRef<jclass> printStreamClass(env, env->FindClass("java/io/PrintStream"));
  if (!printStreamClass) {
    return false;
  }
  jmethodID printStreamConstructor =
      env->GetMethodID(printStreamClass.get(), "<init>", "(Ljava/io/OutputStream;)V");
  if (printStreamConstructor == nullptr) {
    return false;
  }
  LocalRef<jobject> printStream(
      env, env->NewObject(printStreamClass.get(), printStreamConstructor, fileStream.get()));
  if (!printStream) {
    return false;
  }
  LocalRef<jclass> systemClass(env, env->FindClass("java/lang/System"));
  if (!systemClass) {
    return false;
  }
  jmethodID setter = env->GetStaticMethodID(systemClass.get(),
                                            target == StandardStream::kOutput ? "setOut" : "setErr",
                                            "(Ljava/io/PrintStream;)V");
  if (setter == nullptr) {
    return false;
  }
  env->CallStaticVoidMethod(systemClass.get(), setter, printStream.get());
  if (env->ExceptionCheck()) {
    env->ExceptionDescribe();
    return false;
  }
  return true;
}

std::wstring CaptureStackTrace(JNIEnv* env, jthrowable throwable) {
  env->ExceptionClear();
  LocalRef<jclass> bytesClass(env, env->FindClass("java/io/ByteArrayOutputStream"));
  if (!bytesClass) {
    DescribePendingException(env);
    return std::wstring();
  }
  jmethodID bytesConstructor = env->GetMethodID(bytesClass.get(), "<init>", "()V");
  LocalRef<jobject> bytes(env, bytesConstructor == nullptr
                                   ? nullptr
                                   : env->NewObject(bytesClass.get(), bytesConstructor));
  LocalRef<jobject> printStream(env, bytes ? NewUtf8PrintStream(env, bytes.get()) : nullptr);
  if (!printStream) {
    DescribePendingException(env);
    return std::wstring();
  }

  LocalRef<jclass> throwableClass(env, env->GetObjectClass(throwable));
  jmethodID printStackTrace =
      env->GetMethodID(throwableClass.get(), "printStackTrace", "(Ljava/io/PrintStream;)V");
  if (printStackTrace == nullptr) {
    DescribePendingException(env);
    return std::wstring();
  }
  env->CallVoidMethod(throwable, printStackTrace, printStream.get());
  DescribePendingException(env);

  jmethodID toString =
      env->GetMethodID(bytesClass.get(), "toString", "(Ljava/lang/String;)Ljava/lang/String;");
  if (toString == nullptr) {
    DescribePendingException(env);
    return std::wstring();
  }
  LocalRef<jstring> encoding(env, env->NewStringUTF("UTF-8"));
  if (!encoding) {
    DescribePendingException(env);
    return std::wstring();
  }
  LocalRef<jstring> text(
      env, static_cast<jstring>(env->CallObjectMethod(bytes.get(), toString, encoding.get())));
  DescribePendingException(env);
  return text ? FromJavaString(env, text.get()) : std::wstring();
}

} // namespace launcher
