#include "jvm/hosting/vm_creation.h"

#include <cstring>

#include <gtest/gtest.h>

#include "jvm/hosting/jdk1_1_init_args.h"

namespace launcher {
namespace {

// What the fake creation entry point saw, and what it answers.
struct CreationRecord {
  int calls = 0;
  jint version = 0;
  jboolean ignoreUnrecognized = JNI_TRUE;
  std::vector<std::string> optionStrings;
  std::vector<void*> extraInfo;
  jint answer = JNI_OK;
};
CreationRecord creation;
char fakeVm;
char fakeEnv;

jint JNICALL FakeCreateJavaVm(JavaVM** vm, void** env, void* rawArgs) {
  const JavaVMInitArgs* args = static_cast<const JavaVMInitArgs*>(rawArgs);
  ++creation.calls;
  creation.version = args->version;
  creation.ignoreUnrecognized = args->ignoreUnrecognized;
  for (jint i = 0; i < args->nOptions; ++i) {
    creation.optionStrings.emplace_back(args->options[i].optionString);
    creation.extraInfo.push_back(args->options[i].extraInfo);
  }
  *vm = reinterpret_cast<JavaVM*>(&fakeVm);
  *env = &fakeEnv;
  return creation.answer;
}

TEST(VmCreationReason, MapsEachJniErrorToItsText) {
  const struct {
    jint result;
    int id;
    const wchar_t* text;
  } cases[] = {
      {-1, 225, L"unknown"},
      {-2, 226, L"thread detached from VM"},
      {-3, 227, L"JNI version error"},
      {-4, 228, L"not enough memory"},
      {-5, 229, L"VM already created"},
      {-6, 230, L"invalid arguments"},
      {-7, 0, L""},
      {1, 0, L""},
      {-100, 0, L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VmCreationReasonId(c.result), c.id) << c.result;
    EXPECT_EQ(VmCreationReason(c.result), c.text) << c.result;
  }
}

TEST(CreateVm, HandsTheRuntimeTheOptionsAsJni12WithUnknownOptionsRejected) {
  creation = CreationRecord{};
  JvmLibrary library;
  library.JNI_CreateJavaVM = FakeCreateJavaVm;
  VmLaunchState vm;
  vm.vmOptions = {"-Djava.class.path=a.jar", "-ea"};
  ASSERT_TRUE(CreateVm(library, vm));
  EXPECT_EQ(creation.calls, 1);
  EXPECT_EQ(creation.version, 0x00010002);
  EXPECT_EQ(creation.ignoreUnrecognized, JNI_FALSE);
  EXPECT_EQ(creation.optionStrings,
            (std::vector<std::string>{"-Djava.class.path=a.jar", "-ea", "abort", "exit"}));
  EXPECT_EQ(creation.extraInfo,
            (std::vector<void*>{nullptr, nullptr, reinterpret_cast<void*>(&VmAbortHook),
                                reinterpret_cast<void*>(&VmExitHook)}));
  EXPECT_EQ(vm.javaVm, reinterpret_cast<JavaVM*>(&fakeVm));
  EXPECT_EQ(vm.jniEnv, reinterpret_cast<JNIEnv*>(&fakeEnv));
  EXPECT_EQ(vm.vmOptions, (std::vector<std::string>{"-Djava.class.path=a.jar", "-ea"}))
      << "options stay owned";
}

// The default-arguments entry point as the runtimes implement it for a JNI 1.1 record.
jint reportedStackSize = 0;
bool recordArrivedZeroed = false;
jint JNICALL FakeGetDefaultArgs(void* rawArgs) {
  JDK1_1InitArgs* args = static_cast<JDK1_1InitArgs*>(rawArgs);
  JDK1_1InitArgs zeroed;
  std::memset(&zeroed, 0, sizeof zeroed);
  zeroed.version = JNI_VERSION_1_1;
  recordArrivedZeroed = std::memcmp(args, &zeroed, sizeof zeroed) == 0;
  args->version = JNI_VERSION_1_2;
  args->javaStackSize = reportedStackSize;
  return JNI_ERR; // the result is not looked at
}

TEST(DefaultThreadStackSize, IsThePositiveSizeTheRuntimeReports) {
  JvmLibrary library;
  library.JNI_GetDefaultJavaVMInitArgs = FakeGetDefaultArgs;
  const struct {
    jint reported;
    uint64_t expected;
  } cases[] = {{1048576, 1048576}, {0, 0}, {-5, 0}, {2147483647, 2147483647}};
  for (const auto& c : cases) {
    reportedStackSize = c.reported;
    recordArrivedZeroed = false;
    EXPECT_EQ(DefaultThreadStackSize(library), c.expected) << c.reported;
    EXPECT_TRUE(recordArrivedZeroed);
  }
}

TEST(Jdk11InitArgs, KeepsTheHistoricalLayout) {
  // The runtime writes javaStackSize by offset: version, a pointer, then three 32-bit fields.
  EXPECT_EQ(offsetof(JDK1_1InitArgs, properties), sizeof(void*));
  EXPECT_EQ(offsetof(JDK1_1InitArgs, javaStackSize), 2 * sizeof(void*) + 2 * sizeof(jint));
  EXPECT_EQ(sizeof(jint), 4u);
}

} // namespace
} // namespace launcher
