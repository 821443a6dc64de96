#include "jvm/hosting/java_strings.h"

#include "base/text.h"
#include "jvm/hosting/modified_utf8.h"

namespace launcher {

jstring ToJavaString(JNIEnv* env, const std::wstring& text) {
  if (env->ExceptionCheck()) {
    return nullptr;
  }
  jclass stringClass = env->FindClass("java/lang/String");
  if (stringClass == nullptr) {
    return nullptr;
  }
  jstring result = nullptr;
  jmethodID constructor = env->GetMethodID(stringClass, "<init>", "([C)V");
  if (constructor != nullptr) {
    const std::u16string units = ToUtf16(text);
    const std::vector<jchar> chars(units.begin(), units.end());
    jcharArray array = env->NewCharArray(static_cast<jsize>(chars.size()));
    if (array != nullptr) {
      env->SetCharArrayRegion(array, 0, static_cast<jsize>(chars.size()), chars.data());
      if (!env->ExceptionCheck()) {
        result = static_cast<jstring>(env->NewObject(stringClass, constructor, array));
      }
      env->DeleteLocalRef(array);
    }
  }
  env->DeleteLocalRef(stringClass);
  return result;
}

jobjectArray ToJavaStringArray(JNIEnv* env, const std::vector<std::wstring>& texts) {
  jclass stringClass = env->FindClass("java/lang/String");
  if (stringClass == nullptr) {
    return nullptr;
  }
  jobjectArray array = env->NewObjectArray(static_cast<jsize>(texts.size()), stringClass, nullptr);
  env->DeleteLocalRef(stringClass);
  if (array == nullptr) {
    return nullptr;
  }
  for (size_t i = 0; i < texts.size(); ++i) {
    jstring element = ToJavaString(env, texts[i]);
    if (element == nullptr) {
      env->DeleteLocalRef(array);
      return nullptr;
    }
    env->SetObjectArrayElement(array, static_cast<jsize>(i), element);
    env->DeleteLocalRef(element);
  }
  return array;
}

std::wstring FromJavaString(JNIEnv* env, jstring text) {
  const char* chars = env->GetStringUTFChars(text, nullptr);
  if (chars == nullptr) {
    return std::wstring();
  }
  std::wstring result = WideFromModifiedUtf8(chars);
  env->ReleaseStringUTFChars(text, chars);
  return result;
}

void DescribePendingException(JNIEnv* env) {
  if (env->ExceptionCheck()) {
    env->ExceptionDescribe();
  }
}

} // namespace launcher
