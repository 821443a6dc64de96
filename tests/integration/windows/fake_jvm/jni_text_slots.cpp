#include <cstdlib>
#include <cstring>

#include "java_library.h"
#include "jni_slots.h"
#include "modified_utf8.h"

namespace fake_jvm {
namespace {

FakeObject* Expect(jobject handle, ObjectKind kind, const char* function) {
  FakeObject* object = Deref(handle, function);
  if (object == nullptr) {
    ReportMisuse(function, "passes a null reference");
  } else if (object->kind != kind) {
    ReportMisuse(function, "passes an object of class " + object->className);
    return nullptr;
  }
  return object;
}

bool InBounds(FakeEnv& env, jsize start, jsize length, size_t size) {
  if (start < 0 || length < 0 || static_cast<size_t>(start) + static_cast<size_t>(length) > size) {
    Throw(env, "java/lang/ArrayIndexOutOfBoundsException",
          u"Array region " + FromAscii(std::to_string(start)) + u".." +
              FromAscii(std::to_string(static_cast<long long>(start) + length)) +
              u" out of bounds for length " + FromAscii(std::to_string(size)));
    return false;
  }
  return true;
}

jstring MakeString(std::u16string chars) {
  FakeObject* string = NewObject(ObjectKind::kString, "java/lang/String");
  string->chars = std::move(chars);
  return static_cast<jstring>(NewReference(string));
}

jstring JNICALL NewString(JNIEnv* jniEnv, const jchar* chars, jsize length) {
  FakeEnv& env = CheckedEnv(jniEnv, "NewString");
  CheckNoPendingException(env, "NewString");
  if (length < 0 || (chars == nullptr && length > 0)) {
    ReportMisuse("NewString", "passes a bad buffer");
    return nullptr;
  }
  return MakeString(std::u16string(reinterpret_cast<const char16_t*>(chars), length));
}

jstring JNICALL NewStringUTF(JNIEnv* jniEnv, const char* bytes) {
  FakeEnv& env = CheckedEnv(jniEnv, "NewStringUTF");
  CheckNoPendingException(env, "NewStringUTF");
  return bytes != nullptr ? MakeString(DecodeModifiedUtf8(bytes)) : nullptr;
}

jsize JNICALL GetStringLength(JNIEnv* jniEnv, jstring string) {
  CheckedEnv(jniEnv, "GetStringLength");
  FakeObject* object = Expect(string, ObjectKind::kString, "GetStringLength");
  return object != nullptr ? static_cast<jsize>(object->chars.size()) : 0;
}

jsize JNICALL GetStringUTFLength(JNIEnv* jniEnv, jstring string) {
  CheckedEnv(jniEnv, "GetStringUTFLength");
  FakeObject* object = Expect(string, ObjectKind::kString, "GetStringUTFLength");
  return object != nullptr ? static_cast<jsize>(EncodeModifiedUtf8(object->chars).size()) : 0;
}

const jchar* JNICALL GetStringChars(JNIEnv* jniEnv, jstring string, jboolean* isCopy) {
  CheckedEnv(jniEnv, "GetStringChars");
  FakeObject* object = Expect(string, ObjectKind::kString, "GetStringChars");
  if (object == nullptr) {
    return nullptr;
  }
  auto* copy = new jchar[object->chars.size() + 1]();
  std::memcpy(copy, object->chars.data(), object->chars.size() * sizeof(jchar));
  if (isCopy != nullptr) {
    *isCopy = JNI_TRUE;
  }
  std::lock_guard<std::recursive_mutex> guard(Vm().lock);
  Vm().stringChars.insert(copy);
  return copy;
}

void JNICALL ReleaseStringChars(JNIEnv* jniEnv, jstring, const jchar* chars) {
  CheckedEnv(jniEnv, "ReleaseStringChars");
  std::lock_guard<std::recursive_mutex> guard(Vm().lock);
  if (Vm().stringChars.erase(chars) == 0) {
    ReportMisuse("ReleaseStringChars", "releases characters the VM never handed out");
    return;
  }
  delete[] chars;
}

// The characters in modified UTF-8, in a buffer of their own that must be released.
const char* JNICALL GetStringUTFChars(JNIEnv* jniEnv, jstring string, jboolean* isCopy) {
  CheckedEnv(jniEnv, "GetStringUTFChars");
  FakeObject* object = Expect(string, ObjectKind::kString, "GetStringUTFChars");
  if (object == nullptr) {
    return nullptr;
  }
  const std::string bytes = EncodeModifiedUtf8(object->chars);
  auto* copy = static_cast<char*>(std::malloc(bytes.size() + 1));
  std::memcpy(copy, bytes.c_str(), bytes.size() + 1);
  if (isCopy != nullptr) {
    *isCopy = JNI_TRUE;
  }
  std::lock_guard<std::recursive_mutex> guard(Vm().lock);
  Vm().utfChars.insert(copy);
  return copy;
}

void JNICALL ReleaseStringUTFChars(JNIEnv* jniEnv, jstring, const char* chars) {
  CheckedEnv(jniEnv, "ReleaseStringUTFChars");
  std::lock_guard<std::recursive_mutex> guard(Vm().lock);
  if (Vm().utfChars.erase(chars) == 0) {
    ReportMisuse("ReleaseStringUTFChars", "releases characters the VM never handed out");
    return;
  }
  std::free(const_cast<char*>(chars));
}

jsize JNICALL GetArrayLength(JNIEnv* jniEnv, jarray array) {
  CheckedEnv(jniEnv, "GetArrayLength");
  FakeObject* object = Deref(array, "GetArrayLength");
  if (object != nullptr && object->kind == ObjectKind::kCharArray) {
    return static_cast<jsize>(object->chars.size());
  }
  if (object != nullptr && object->kind == ObjectKind::kObjectArray) {
    return static_cast<jsize>(object->elements.size());
  }
  ReportMisuse("GetArrayLength", "passes something that is not an array");
  return 0;
}

jcharArray JNICALL NewCharArray(JNIEnv* jniEnv, jsize length) {
  FakeEnv& env = CheckedEnv(jniEnv, "NewCharArray");
  CheckNoPendingException(env, "NewCharArray");
  if (length < 0) {
    Throw(env, "java/lang/NegativeArraySizeException", FromAscii(std::to_string(length)));
    return nullptr;
  }
  FakeObject* array = NewObject(ObjectKind::kCharArray, "[C");
  array->chars.assign(static_cast<size_t>(length), u'\0');
  return static_cast<jcharArray>(NewReference(array));
}

void JNICALL SetCharArrayRegion(JNIEnv* jniEnv, jcharArray array, jsize start, jsize length,
                                const jchar* chars) {
  FakeEnv& env = CheckedEnv(jniEnv, "SetCharArrayRegion");
  CheckNoPendingException(env, "SetCharArrayRegion");
  FakeObject* object = Expect(array, ObjectKind::kCharArray, "SetCharArrayRegion");
  if (object == nullptr || !InBounds(env, start, length, object->chars.size())) {
    return;
  }
  if (length > 0) {
    std::memcpy(&object->chars[static_cast<size_t>(start)], chars,
                static_cast<size_t>(length) * sizeof(jchar));
  }
}

void JNICALL GetCharArrayRegion(JNIEnv* jniEnv, jcharArray array, jsize start, jsize length,
                                jchar* chars) {
  FakeEnv& env = CheckedEnv(jniEnv, "GetCharArrayRegion");
  CheckNoPendingException(env, "GetCharArrayRegion");
  FakeObject* object = Expect(array, ObjectKind::kCharArray, "GetCharArrayRegion");
  if (object == nullptr || !InBounds(env, start, length, object->chars.size())) {
    return;
  }
  if (length > 0) {
    std::memcpy(chars, &object->chars[static_cast<size_t>(start)],
                static_cast<size_t>(length) * sizeof(jchar));
  }
}

jobjectArray JNICALL NewObjectArray(JNIEnv* jniEnv, jsize length, jclass elementClass,
                                    jobject initial) {
  FakeEnv& env = CheckedEnv(jniEnv, "NewObjectArray");
  CheckNoPendingException(env, "NewObjectArray");
  FakeObject* classObject = Expect(elementClass, ObjectKind::kClass, "NewObjectArray");
  if (classObject == nullptr) {
    return nullptr;
  }
  if (length < 0) {
    Throw(env, "java/lang/NegativeArraySizeException", FromAscii(std::to_string(length)));
    return nullptr;
  }
  FakeObject* array = NewObject(ObjectKind::kObjectArray, "[L" + classObject->namedClass + ";");
  array->elementClass = classObject->namedClass;
  array->elements.assign(static_cast<size_t>(length), Deref(initial, "NewObjectArray"));
  return static_cast<jobjectArray>(NewReference(array));
}

jobject JNICALL GetObjectArrayElement(JNIEnv* jniEnv, jobjectArray array, jsize index) {
  FakeEnv& env = CheckedEnv(jniEnv, "GetObjectArrayElement");
  CheckNoPendingException(env, "GetObjectArrayElement");
  FakeObject* object = Expect(array, ObjectKind::kObjectArray, "GetObjectArrayElement");
  if (object == nullptr || !InBounds(env, index, 1, object->elements.size())) {
    return nullptr;
  }
  return NewReference(object->elements[static_cast<size_t>(index)]);
}

void JNICALL SetObjectArrayElement(JNIEnv* jniEnv, jobjectArray array, jsize index, jobject value) {
  FakeEnv& env = CheckedEnv(jniEnv, "SetObjectArrayElement");
  CheckNoPendingException(env, "SetObjectArrayElement");
  FakeObject* object = Expect(array, ObjectKind::kObjectArray, "SetObjectArrayElement");
  if (object == nullptr || !InBounds(env, index, 1, object->elements.size())) {
    return;
  }
  FakeObject* element = Deref(value, "SetObjectArrayElement");
  if (element != nullptr && object->elementClass == "java/lang/String" &&
      element->kind != ObjectKind::kString) {
    Throw(env, "java/lang/ArrayStoreException", FromAscii(element->className));
    return;
  }
  object->elements[static_cast<size_t>(index)] = element;
}

} // namespace

void FillTextSlots(JNINativeInterface_& table) {
  table.NewString = NewString;
  table.NewStringUTF = NewStringUTF;
  table.GetStringLength = GetStringLength;
  table.GetStringUTFLength = GetStringUTFLength;
  table.GetStringChars = GetStringChars;
  table.ReleaseStringChars = ReleaseStringChars;
  table.GetStringUTFChars = GetStringUTFChars;
  table.ReleaseStringUTFChars = ReleaseStringUTFChars;
  table.GetArrayLength = GetArrayLength;
  table.NewCharArray = NewCharArray;
  table.SetCharArrayRegion = SetCharArrayRegion;
  table.GetCharArrayRegion = GetCharArrayRegion;
  table.NewObjectArray = NewObjectArray;
  table.GetObjectArrayElement = GetObjectArrayElement;
  table.SetObjectArrayElement = SetObjectArrayElement;
}

} // namespace fake_jvm
