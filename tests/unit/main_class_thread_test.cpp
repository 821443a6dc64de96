#include "jvm/hosting/main_class_thread.h"

#include <gtest/gtest.h>

#include "unit/support/fake_java.h"

// The order of the main-class thread's work, against a stand-in VM: which lookup finds the
// main class, what main receives, and what an uncaught exception leads to.
namespace launcher {
namespace {

using Calls = std::vector<std::string>;
using testing::FakeJava;

jclass JNICALL FindHelper(JNIEnv* env, const char* name) {
  return env->FindClass(name);
}

class MainClassRun : public ::testing::Test {
protected:
  MainClassRun() {
    vm.javaVm = java.vm();
    vm.jniEnv = java.env();
    library.JVM_FindClassFromBootLoader = FindHelper;
    request.mainClass = L"com/example/Main";
    request.mainStarting = [this] { java.calls.push_back("main starting"); };
    request.closeSplash = [this] { java.calls.push_back("close splash"); };
  }

  FakeJava java;
  VmLaunchState vm;
  JvmLibrary library;
  MainClassRequest request;
};

TEST_F(MainClassRun, LoadsTheMainClassThroughTheLauncherHelperWithItsDottedName) {
  ASSERT_TRUE(RunMainClass(library, vm, request));
  EXPECT_EQ(java.calls,
            (Calls{"FindClass sun/launcher/LauncherHelper",
                   "sun/launcher/LauncherHelper.checkAndLoadMain(true,1,com.example.Main)",
                   "main starting", "com/example/Main.main", "detach"}));
}

TEST_F(MainClassRun, WithoutTheBootLoaderExportFindsTheClassInSlashForm) {
  library.JVM_FindClassFromBootLoader = nullptr;
  ASSERT_TRUE(RunMainClass(library, vm, request));
  EXPECT_EQ(java.calls, (Calls{"FindClass com/example/Main", "main starting",
                               "com/example/Main.main", "detach"}));
}

TEST_F(MainClassRun, FallsBackWhenTheHelperLacksCheckAndLoadMainSilently) {
  java.missingMethods.insert("sun/launcher/LauncherHelper.checkAndLoadMain");
  java.missingMethodRaises = false;
  ASSERT_TRUE(RunMainClass(library, vm, request));
  EXPECT_EQ(java.calls, (Calls{"FindClass sun/launcher/LauncherHelper",
                               "missing sun/launcher/LauncherHelper.checkAndLoadMain",
                               "FindClass com/example/Main", "main starting",
                               "com/example/Main.main", "detach"}));
}

TEST_F(MainClassRun, MainReceivesExactUtf16Copies) {
  request.arguments = {L"plain", L"", L"with blank", L"\u00fc\u20ac", L"\U0001F600"};
  ASSERT_TRUE(RunMainClass(library, vm, request));
  EXPECT_EQ(java.mainArguments, (std::vector<std::u16string>{u"plain", u"", u"with blank",
                                                             u"\u00fc\u20ac", u"\xD83D\xDE00"}));
}

TEST_F(MainClassRun, AnUncaughtExceptionWithoutFailureCheckIsLeftToTheVm) {
  java.mainThrows = true;
  ASSERT_TRUE(RunMainClass(library, vm, request));
  EXPECT_EQ(java.calls,
            (Calls{"FindClass sun/launcher/LauncherHelper",
                   "sun/launcher/LauncherHelper.checkAndLoadMain(true,1,com.example.Main)",
                   "main starting", "com/example/Main.main", "close splash",
                   "detach with java/lang/IllegalStateException"}));
}

TEST_F(MainClassRun, AFailedDetachFailsTheRun) {
  java.detachResult = JNI_ERR;
  EXPECT_FALSE(RunMainClass(library, vm, request));
}

TEST_F(MainClassRun, AThreadThatFailsLetsGoOfTheVmAndLeavesItForTeardown) {
  library.JVM_FindClassFromBootLoader = nullptr;
  java.missingMethods.insert("com/example/Main.main");
  // A creation that hands over the stand-in VM.
  static FakeJava* fake = &java;
  library.JNI_CreateJavaVM = [](JavaVM** created, void** env, void*) -> jint {
    *created = fake->vm();
    *env = fake->env();
    return JNI_OK;
  };
  vm = VmLaunchState{};
  EXPECT_EQ(MainClassThreadProc(library, vm, request), 1u);
  EXPECT_EQ(java.calls, (Calls{"FindClass com/example/Main", "missing com/example/Main.main",
                               "describe java/lang/NoSuchMethodError", "detach"}));
  EXPECT_EQ(vm.javaVm, java.vm()) << "the VM stays for the teardown";
  DestroyVm(vm);
  EXPECT_EQ(java.calls.back(), "destroy");
  EXPECT_EQ(vm.javaVm, nullptr);
  DestroyVm(vm);
  EXPECT_EQ(java.calls.back(), "destroy") << "destroyed once";
}

TEST_F(MainClassRun, ASuccessfulThreadDestroysTheVm) {
  static FakeJava* fake = &java;
  library.JNI_CreateJavaVM = [](JavaVM** created, void** env, void*) -> jint {
    *created = fake->vm();
    *env = fake->env();
    return JNI_OK;
  };
  vm = VmLaunchState{};
  vm.threadStackSize = 1024 * 1024;
  EXPECT_EQ(StartMainClassThread(library, vm, request), 0u);
  EXPECT_EQ(java.calls.back(), "destroy");
  EXPECT_EQ(vm.javaVm, nullptr);
}

TEST(SystemExitCall, AsksForMinusOne) {
  FakeJava java;
  EXPECT_TRUE(CallSystemExit(java.env()));
  EXPECT_EQ(java.calls, (Calls{"System.exit(-1)"}));
}

} // namespace
} // namespace launcher
