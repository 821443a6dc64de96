#include <functional>

#include "java_library.h"
#include "jni_arguments.h"
#include "jni_slots.h"
#include "log_record.h"
#include "modified_utf8.h"

namespace fake_jvm {
namespace {

using ArgumentReader = std::function<std::vector<jvalue>(std::string_view signature)>;

std::u16string Decoded(const char* text) {
  return text != nullptr ? DecodeModifiedUtf8(text) : u"<null>";
}

FakeObject* ClassArgument(jclass handle, const char* function) {
  FakeObject* classObject = Deref(handle, function);
  if (classObject != nullptr && classObject->kind != ObjectKind::kClass) {
    ReportMisuse(function, "passes an instance of " + classObject->className + " as a class");
    return nullptr;
  }
  if (classObject == nullptr) {
    ReportMisuse(function, "passes a null class");
  }
  return classObject;
}

jclass JNICALL FindClass(JNIEnv* jniEnv, const char* name) {
  FakeEnv& env = CheckedEnv(jniEnv, "FindClass");
  CheckNoPendingException(env, "FindClass");
  FakeObject* classObject = name != nullptr ? LoadClass(env, name, false) : nullptr;
  LogRecord("FindClass")
      .Text("name", Decoded(name))
      .Flag("found", classObject != nullptr)
      .Number("thread", CurrentThreadId());
  return static_cast<jclass>(NewReference(classObject));
}

jclass JNICALL GetObjectClass(JNIEnv* jniEnv, jobject object) {
  CheckedEnv(jniEnv, "GetObjectClass");
  FakeObject* target = Deref(object, "GetObjectClass");
  if (target == nullptr) {
    ReportMisuse("GetObjectClass", "passes a null object");
    return nullptr;
  }
  return static_cast<jclass>(NewReference(ClassOf(*target)));
}

jmethodID LookUp(JNIEnv* jniEnv, jclass handle, const char* name, const char* signature,
                 bool isStatic, const char* function) {
  FakeEnv& env = CheckedEnv(jniEnv, function);
  CheckNoPendingException(env, function);
  FakeObject* classObject = ClassArgument(handle, function);
  FakeMethod* method = nullptr;
  if (classObject != nullptr && name != nullptr && signature != nullptr) {
    method = FindMethod(env, *classObject, name, signature, isStatic);
  }
  LogRecord(function)
      .Text("class", classObject != nullptr ? DecodeModifiedUtf8(classObject->namedClass) : u"")
      .Text("name", Decoded(name))
      .Text("signature", Decoded(signature))
      .Flag("found", method != nullptr);
  return reinterpret_cast<jmethodID>(method);
}

jmethodID JNICALL GetMethodID(JNIEnv* env, jclass classHandle, const char* name,
                              const char* signature) {
  return LookUp(env, classHandle, name, signature, false, "GetMethodID");
}

jmethodID JNICALL GetStaticMethodID(JNIEnv* env, jclass classHandle, const char* name,
                                    const char* signature) {
  return LookUp(env, classHandle, name, signature, true, "GetStaticMethodID");
}

// Every Call...Method variant: the method must be of the kind the variant calls (static or
// not) and return what the variant expects ('V' void, 'L' a reference).
jvalue Call(JNIEnv* jniEnv, jobject target, jmethodID id, bool isStatic, char returnKind,
            const ArgumentReader& readArguments, const char* function) {
  FakeEnv& env = CheckedEnv(jniEnv, function);
  CheckNoPendingException(env, function);
  FakeMethod* method = CheckedMethod(id, function);
  FakeObject* object = Deref(target, function);
  if (method == nullptr) {
    return jvalue{};
  }
  const char returned = method->signature.substr(method->signature.find(')') + 1)[0];
  const char kind = (returned == '[') ? 'L' : returned;
  if (method->isStatic != isStatic || kind != returnKind || method->name == "<init>") {
    ReportMisuse(function, "calls " + method->className + "." + method->name + method->signature +
                               " through the wrong variant");
    return jvalue{};
  }
  return Invoke(env, *method, object, readArguments(method->signature), function);
}

ArgumentReader FromList(va_list list) {
  return [list](std::string_view signature) { return ArgumentsFromList(signature, list); };
}

ArgumentReader FromArray(const jvalue* values) {
  return [values](std::string_view signature) { return ArgumentsFromArray(signature, values); };
}

jobject JNICALL CallObjectMethodV(JNIEnv* env, jobject object, jmethodID method, va_list list) {
  return Call(env, object, method, false, 'L', FromList(list), "CallObjectMethodV").l;
}
jobject JNICALL CallObjectMethodA(JNIEnv* env, jobject object, jmethodID method,
                                  const jvalue* values) {
  return Call(env, object, method, false, 'L', FromArray(values), "CallObjectMethodA").l;
}
jobject JNICALL CallObjectMethod(JNIEnv* env, jobject object, jmethodID method, ...) {
  va_list list;
  va_start(list, method);
  jobject result = Call(env, object, method, false, 'L', FromList(list), "CallObjectMethod").l;
  va_end(list);
  return result;
}

void JNICALL CallVoidMethodV(JNIEnv* env, jobject object, jmethodID method, va_list list) {
  Call(env, object, method, false, 'V', FromList(list), "CallVoidMethodV");
}
void JNICALL CallVoidMethodA(JNIEnv* env, jobject object, jmethodID method, const jvalue* values) {
  Call(env, object, method, false, 'V', FromArray(values), "CallVoidMethodA");
}
void JNICALL CallVoidMethod(JNIEnv* env, jobject object, jmethodID method, ...) {
  va_list list;
  va_start(list, method);
  Call(env, object, method, false, 'V', FromList(list), "CallVoidMethod");
  va_end(list);
}

jobject JNICALL CallStaticObjectMethodV(JNIEnv* env, jclass type, jmethodID method, va_list list) {
  return Call(env, type, method, true, 'L', FromList(list), "CallStaticObjectMethodV").l;
}
jobject JNICALL CallStaticObjectMethodA(JNIEnv* env, jclass type, jmethodID method,
                                        const jvalue* values) {
  return Call(env, type, method, true, 'L', FromArray(values), "CallStaticObjectMethodA").l;
}
jobject JNICALL CallStaticObjectMethod(JNIEnv* env, jclass type, jmethodID method, ...) {
  va_list list;
  va_start(list, method);
  jobject result = Call(env, type, method, true, 'L', FromList(list), "CallStaticObjectMethod").l;
  va_end(list);
  return result;
}

void JNICALL CallStaticVoidMethodV(JNIEnv* env, jclass type, jmethodID method, va_list list) {
  Call(env, type, method, true, 'V', FromList(list), "CallStaticVoidMethodV");
}
void JNICALL CallStaticVoidMethodA(JNIEnv* env, jclass type, jmethodID method,
                                   const jvalue* values) {
  Call(env, type, method, true, 'V', FromArray(values), "CallStaticVoidMethodA");
}
void JNICALL CallStaticVoidMethod(JNIEnv* env, jclass type, jmethodID method, ...) {
  va_list list;
  va_start(list, method);
  Call(env, type, method, true, 'V', FromList(list), "CallStaticVoidMethod");
  va_end(list);
}

jobject Create(JNIEnv* jniEnv, jclass type, jmethodID id, const ArgumentReader& readArguments,
               const char* function) {
  FakeEnv& env = CheckedEnv(jniEnv, function);
  CheckNoPendingException(env, function);
  FakeObject* classObject = ClassArgument(type, function);
  FakeMethod* constructor = CheckedMethod(id, function);
  if (classObject == nullptr || constructor == nullptr) {
    return nullptr;
  }
  return NewReference(
      Construct(env, *classObject, *constructor, readArguments(constructor->signature), function));
}

jobject JNICALL NewObjectV(JNIEnv* env, jclass type, jmethodID method, va_list list) {
  return Create(env, type, method, FromList(list), "NewObjectV");
}
jobject JNICALL NewObjectA(JNIEnv* env, jclass type, jmethodID method, const jvalue* values) {
  return Create(env, type, method, FromArray(values), "NewObjectA");
}
jobject JNICALL NewObject(JNIEnv* env, jclass type, jmethodID method, ...) {
  va_list list;
  va_start(list, method);
  jobject result = Create(env, type, method, FromList(list), "NewObject");
  va_end(list);
  return result;
}

} // namespace

void FillClassSlots(JNINativeInterface_& table) {
  table.FindClass = FindClass;
  table.GetObjectClass = GetObjectClass;
  table.GetMethodID = GetMethodID;
  table.GetStaticMethodID = GetStaticMethodID;
  table.CallObjectMethod = CallObjectMethod;
  table.CallObjectMethodV = CallObjectMethodV;
  table.CallObjectMethodA = CallObjectMethodA;
  table.CallVoidMethod = CallVoidMethod;
  table.CallVoidMethodV = CallVoidMethodV;
  table.CallVoidMethodA = CallVoidMethodA;
  table.CallStaticObjectMethod = CallStaticObjectMethod;
  table.CallStaticObjectMethodV = CallStaticObjectMethodV;
  table.CallStaticObjectMethodA = CallStaticObjectMethodA;
  table.CallStaticVoidMethod = CallStaticVoidMethod;
  table.CallStaticVoidMethodV = CallStaticVoidMethodV;
  table.CallStaticVoidMethodA = CallStaticVoidMethodA;
  table.NewObject = NewObject;
  table.NewObjectV = NewObjectV;
  table.NewObjectA = NewObjectA;
}

} // namespace fake_jvm
