#include "java_library.h"
#include "jni_slots.h"
#include "log_record.h"
#include "modified_utf8.h"

namespace fake_jvm {
namespace {

jint JNICALL GetVersion(JNIEnv* env) {
  CheckedEnv(env, "GetVersion");
  return JNI_VERSION_10;
}

jint JNICALL GetJavaVM(JNIEnv* env, JavaVM** vm) {
  CheckedEnv(env, "GetJavaVM");
  *vm = &Vm().javaVm;
  return JNI_OK;
}

jint JNICALL ThrowObject(JNIEnv* jniEnv, jthrowable throwable) {
  FakeEnv& env = CheckedEnv(jniEnv, "Throw");
  FakeObject* object = Deref(throwable, "Throw");
  if (object == nullptr || object->kind != ObjectKind::kThrowable) {
    ReportMisuse("Throw", "throws something that is not a throwable");
    return JNI_ERR;
  }
  env.pending = object;
  return JNI_OK;
}

jint JNICALL ThrowNew(JNIEnv* jniEnv, jclass type, const char* message) {
  FakeEnv& env = CheckedEnv(jniEnv, "ThrowNew");
  FakeObject* classObject = Deref(type, "ThrowNew");
  if (classObject == nullptr || classObject->kind != ObjectKind::kClass) {
    ReportMisuse("ThrowNew", "passes something that is not a class");
    return JNI_ERR;
  }
  Throw(env, classObject->namedClass, message != nullptr ? DecodeModifiedUtf8(message) : u"");
  return JNI_OK;
}

jthrowable JNICALL ExceptionOccurred(JNIEnv* jniEnv) {
  FakeEnv& env = CheckedEnv(jniEnv, "ExceptionOccurred");
  return static_cast<jthrowable>(NewReference(env.pending));
}

jboolean JNICALL ExceptionCheck(JNIEnv* jniEnv) {
  FakeEnv& env = CheckedEnv(jniEnv, "ExceptionCheck");
  return env.pending != nullptr ? JNI_TRUE : JNI_FALSE;
}

// Prints the pending exception's stack trace on the current System.err and clears it.
void JNICALL ExceptionDescribe(JNIEnv* jniEnv) {
  FakeEnv& env = CheckedEnv(jniEnv, "ExceptionDescribe");
  if (env.pending == nullptr) {
    LogRecord("ExceptionDescribe").Text("text", u"");
    return;
  }
  FakeObject* throwable = env.pending;
  env.pending = nullptr;
  const std::u16string text = StackTraceText(*throwable);
  LogRecord("ExceptionDescribe").Text("text", text);
  PrintText(Vm().err, text);
}

void JNICALL ExceptionClear(JNIEnv* jniEnv) {
  FakeEnv& env = CheckedEnv(jniEnv, "ExceptionClear");
  LogRecord("ExceptionClear").Flag("pending", env.pending != nullptr);
  env.pending = nullptr;
}

void JNICALL FatalError(JNIEnv* jniEnv, const char* message) {
  CheckedEnv(jniEnv, "FatalError");
  AbortVm("FatalError: " + std::string(message != nullptr ? message : ""));
}

jint JNICALL PushLocalFrame(JNIEnv* jniEnv, jint capacity) {
  CheckedEnv(jniEnv, "PushLocalFrame");
  return capacity >= 0 ? JNI_OK : JNI_ERR;
}

jobject JNICALL PopLocalFrame(JNIEnv* jniEnv, jobject result) {
  CheckedEnv(jniEnv, "PopLocalFrame");
  return NewReference(Deref(result, "PopLocalFrame"));
}

jint JNICALL EnsureLocalCapacity(JNIEnv* jniEnv, jint capacity) {
  CheckedEnv(jniEnv, "EnsureLocalCapacity");
  return capacity >= 0 ? JNI_OK : JNI_ERR;
}

jobject JNICALL NewGlobalRef(JNIEnv* jniEnv, jobject object) {
  CheckedEnv(jniEnv, "NewGlobalRef");
  return NewReference(Deref(object, "NewGlobalRef"), true);
}

jobject JNICALL NewLocalRef(JNIEnv* jniEnv, jobject object) {
  CheckedEnv(jniEnv, "NewLocalRef");
  return NewReference(Deref(object, "NewLocalRef"));
}

void JNICALL DeleteGlobalRef(JNIEnv* jniEnv, jobject object) {
  CheckedEnv(jniEnv, "DeleteGlobalRef");
  DeleteReference(object, true, "DeleteGlobalRef");
}

void JNICALL DeleteLocalRef(JNIEnv* jniEnv, jobject object) {
  CheckedEnv(jniEnv, "DeleteLocalRef");
  DeleteReference(object, false, "DeleteLocalRef");
}

jboolean JNICALL IsSameObject(JNIEnv* jniEnv, jobject first, jobject second) {
  CheckedEnv(jniEnv, "IsSameObject");
  return Deref(first, "IsSameObject") == Deref(second, "IsSameObject") ? JNI_TRUE : JNI_FALSE;
}

} // namespace

void FillObjectSlots(JNINativeInterface_& table) {
  table.GetVersion = GetVersion;
  table.GetJavaVM = GetJavaVM;
  table.Throw = ThrowObject;
  table.ThrowNew = ThrowNew;
  table.ExceptionOccurred = ExceptionOccurred;
  table.ExceptionCheck = ExceptionCheck;
  table.ExceptionDescribe = ExceptionDescribe;
  table.ExceptionClear = ExceptionClear;
  table.FatalError = FatalError;
  table.PushLocalFrame = PushLocalFrame;
  table.PopLocalFrame = PopLocalFrame;
  table.EnsureLocalCapacity = EnsureLocalCapacity;
  table.NewGlobalRef = NewGlobalRef;
  table.NewLocalRef = NewLocalRef;
  table.DeleteGlobalRef = DeleteGlobalRef;
  table.DeleteLocalRef = DeleteLocalRef;
  table.IsSameObject = IsSameObject;
}

} // namespace fake_jvm
