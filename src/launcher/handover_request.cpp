#include "launcher/handover_request.h"

#include "base/narrow_text.h"
#include "jvm/hosting/java_strings.h"

namespace launcher {
namespace {

constexpr char kSecondaryMain[] = "secondaryMain";
constexpr char kVoidForm[] = "([Ljava/lang/String;)V";
constexpr char kIntForm[] = "([Ljava/lang/String;)I";

bool CallSecondaryMain(JNIEnv* env, jclass mainClass, const std::vector<std::wstring>& arguments,
                       const std::function<void(int32_t)>& reply) {
  jmethodID method = env->GetStaticMethodID(mainClass, kSecondaryMain, kVoidForm);
  if (env->ExceptionCheck()) {
    env->ExceptionClear();
  }
  const bool intForm = method == nullptr;
  if (intForm) {
    method = env->GetStaticMethodID(mainClass, kSecondaryMain, kIntForm);
  }
  if (method == nullptr) {
    DescribePendingException(env);
    return false;
  }
  jobjectArray array = ToJavaStringArray(env, arguments);
  if (array == nullptr) {
    DescribePendingException(env);
    return false;
  }
  if (intForm) {
    reply(env->CallStaticIntMethod(mainClass, method, array));
  } else {
    // The second start learns nothing from a method without a result: it goes at once.
    reply(0);
    env->CallStaticVoidMethod(mainClass, method, array);
  }
  env->DeleteLocalRef(array);
  if (env->ExceptionCheck()) {
    env->ExceptionDescribe();
    return false;
  }
  return true;
}

} // namespace

uint32_t ServeHandover(const HandoverTarget& target, const std::vector<std::wstring>& arguments,
                       const std::function<void(int32_t code)>& reply) {
  JavaVM* vm = target.javaVm;
  JNIEnv* env = nullptr;
  if (vm == nullptr || vm->AttachCurrentThread(reinterpret_cast<void**>(&env), nullptr) != JNI_OK) {
    return 1;
  }
  bool served = false;
  if (jclass mainClass = env->FindClass(ToAnsi(target.mainClass).c_str())) {
    served = CallSecondaryMain(env, mainClass, arguments, reply);
    env->DeleteLocalRef(mainClass);
  }
  if (!target.stayAttached) {
    vm->DetachCurrentThread();
  }
  return served ? 0 : 1;
}

} // namespace launcher
