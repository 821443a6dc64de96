#include "unit/support/fake_java.h"

#include <cstdarg>

#include "jvm/hosting/modified_utf8.h"

namespace launcher::testing {
namespace {

FakeJava* current = nullptr;

FakeObject* Object(jobject object) {
  return reinterpret_cast<FakeObject*>(object);
}
template <typename T> T Ref(FakeObject* object) {
  return reinterpret_cast<T>(object);
}

jclass JNICALL FindClass(JNIEnv*, const char* name) {
  if (std::string(name).rfind("java/", 0) != 0) {
    current->calls.push_back(std::string("FindClass ") + name);
  }
  if (current->missingClasses.count(name) != 0) {
    current->Raise("java/lang/NoClassDefFoundError");
    return nullptr;
  }
  return Ref<jclass>(current->Class(name));
}

jmethodID Lookup(jclass cls, const char* name) {
  const std::string key = Object(cls)->className + "." + name;
  if (current->missingMethods.count(key) != 0) {
    current->calls.push_back("missing " + key);
    if (current->missingMethodRaises) {
      current->Raise("java/lang/NoSuchMethodError");
    }
    return nullptr;
  }
  return current->Method(Object(cls)->className, name);
}

jmethodID JNICALL GetMethodID(JNIEnv*, jclass cls, const char* name, const char*) {
  return Lookup(cls, name);
}
jmethodID JNICALL GetStaticMethodID(JNIEnv*, jclass cls, const char* name, const char*) {
  return Lookup(cls, name);
}

jobject JNICALL CallStaticObjectMethodV(JNIEnv*, jclass, jmethodID method, va_list args) {
  const jboolean printToStderr = static_cast<jboolean>(va_arg(args, int));
  const jint mode = va_arg(args, jint);
  FakeObject* name = Object(va_arg(args, jstring));
  current->calls.push_back(current->MethodName(method) + "(" + (printToStderr ? "true" : "false") +
                           "," + std::to_string(mode) + "," + EncodeModifiedUtf8(name->chars) +
                           ")");
  if (current->helperRaises) {
    current->Raise("java/lang/Error");
    return nullptr;
  }
  std::string slashName = EncodeModifiedUtf8(name->chars);
  for (char& c : slashName) {
    c = c == '.' ? '/' : c;
  }
  return Ref<jobject>(current->Class(slashName));
}

void JNICALL CallStaticVoidMethodV(JNIEnv*, jclass, jmethodID method, va_list args) {
  const std::string& name = current->MethodName(method);
  if (name == "java/lang/System.exit") {
    current->calls.push_back("System.exit(" + std::to_string(va_arg(args, jint)) + ")");
    return;
  }
  current->calls.push_back(name);
  for (FakeObject* argument : Object(va_arg(args, jobjectArray))->elements) {
    current->mainArguments.push_back(argument->chars);
  }
  if (current->mainThrows) {
    current->Raise("java/lang/IllegalStateException");
  }
}

jobject JNICALL NewObjectV(JNIEnv*, jclass cls, jmethodID, va_list args) {
  FakeObject* object = current->New(Object(cls)->className);
  if (object->className == "java/lang/String") {
    object->chars = Object(va_arg(args, jcharArray))->chars;
  } else if (object->className == "java/io/PrintStream") {
    object->target = Object(va_arg(args, jobject));
  }
  return Ref<jobject>(object);
}

jcharArray JNICALL NewCharArray(JNIEnv*, jsize) {
  return Ref<jcharArray>(current->New("[C"));
}

void JNICALL SetCharArrayRegion(JNIEnv*, jcharArray array, jsize, jsize length,
                                const jchar* chars) {
  Object(array)->chars.assign(chars, chars + length);
}

jobjectArray JNICALL NewObjectArray(JNIEnv*, jsize length, jclass, jobject) {
  FakeObject* array = current->New("[Ljava/lang/String;");
  array->elements.resize(static_cast<size_t>(length));
  return Ref<jobjectArray>(array);
}

void JNICALL SetObjectArrayElement(JNIEnv*, jobjectArray array, jsize index, jobject element) {
  Object(array)->elements.at(static_cast<size_t>(index)) = Object(element);
}

void JNICALL DeleteLocalRef(JNIEnv*, jobject) {}

const char* JNICALL GetStringUTFChars(JNIEnv*, jstring text, jboolean*) {
  FakeObject* object = Object(text);
  object->utf = EncodeModifiedUtf8(object->chars);
  return object->utf.c_str();
}

void JNICALL ReleaseStringUTFChars(JNIEnv*, jstring, const char*) {}

jstring JNICALL NewStringUTF(JNIEnv*, const char* utf) {
  FakeObject* object = current->New("java/lang/String");
  object->chars = DecodeModifiedUtf8(utf);
  return Ref<jstring>(object);
}

jclass JNICALL GetObjectClass(JNIEnv*, jobject object) {
  return Ref<jclass>(current->Class(Object(object)->className));
}

void JNICALL CallVoidMethodV(JNIEnv*, jobject, jmethodID method, va_list args) {
  current->calls.push_back(current->MethodName(method));
  FakeObject* printStream = Object(va_arg(args, jobject));
  printStream->target->chars += current->traceText;
}

jobject JNICALL CallObjectMethodV(JNIEnv*, jobject object, jmethodID method, va_list) {
  current->calls.push_back(current->MethodName(method));
  FakeObject* text = current->New("java/lang/String");
  text->chars = Object(object)->chars;
  return Ref<jobject>(text);
}

jthrowable JNICALL ExceptionOccurred(JNIEnv*) {
  return Ref<jthrowable>(current->pending);
}
jboolean JNICALL ExceptionCheck(JNIEnv*) {
  return current->pending != nullptr ? JNI_TRUE : JNI_FALSE;
}
void JNICALL ExceptionClear(JNIEnv*) {
  current->pending = nullptr;
}
void JNICALL ExceptionDescribe(JNIEnv*) {
  current->calls.push_back("describe " +
                           (current->pending != nullptr ? current->pending->className : "nothing"));
  current->pending = nullptr;
}

jint JNICALL DetachCurrentThread(JavaVM*) {
  current->calls.push_back(
      current->pending != nullptr ? "detach with " + current->pending->className : "detach");
  return current->detachResult;
}

jint JNICALL DestroyJavaVM(JavaVM*) {
  current->calls.push_back("destroy");
  return JNI_OK;
}

} // namespace

FakeJava::FakeJava() {
  current = this;
  table_.FindClass = FindClass;
  table_.GetMethodID = GetMethodID;
  table_.GetStaticMethodID = GetStaticMethodID;
  table_.CallStaticObjectMethodV = CallStaticObjectMethodV;
  table_.CallStaticVoidMethodV = CallStaticVoidMethodV;
  table_.NewObjectV = NewObjectV;
  table_.NewCharArray = NewCharArray;
  table_.SetCharArrayRegion = SetCharArrayRegion;
  table_.NewObjectArray = NewObjectArray;
  table_.SetObjectArrayElement = SetObjectArrayElement;
  table_.DeleteLocalRef = DeleteLocalRef;
  table_.GetStringUTFChars = GetStringUTFChars;
  table_.ReleaseStringUTFChars = ReleaseStringUTFChars;
  table_.NewStringUTF = NewStringUTF;
  table_.GetObjectClass = GetObjectClass;
  table_.CallVoidMethodV = CallVoidMethodV;
  table_.CallObjectMethodV = CallObjectMethodV;
  table_.ExceptionOccurred = ExceptionOccurred;
  table_.ExceptionCheck = ExceptionCheck;
  table_.ExceptionClear = ExceptionClear;
  table_.ExceptionDescribe = ExceptionDescribe;
  invokeTable_.DetachCurrentThread = DetachCurrentThread;
  invokeTable_.DestroyJavaVM = DestroyJavaVM;
  env_.functions = &table_;
  vm_.functions = &invokeTable_;
}

FakeJava::~FakeJava() {
  current = nullptr;
}

FakeObject* FakeJava::New(const std::string& className) {
  objects_.push_back(FakeObject{className, {}, {}, nullptr, {}});
  return &objects_.back();
}

FakeObject* FakeJava::Class(const std::string& name) {
  return New(name);
}

jmethodID FakeJava::Method(const std::string& owner, const std::string& name) {
  methods_.push_back(owner + "." + name);
  return reinterpret_cast<jmethodID>(&methods_.back());
}

const std::string& FakeJava::MethodName(jmethodID method) const {
  return *reinterpret_cast<const std::string*>(method);
}

void FakeJava::Raise(const std::string& className) {
  pending = New(className);
}

} // namespace launcher::testing
