#include "jvm/hosting/main_class_thread.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "unit/support/main_class_run.h"

// The order of the main-class thread's work, against a stand-in VM: which lookup finds the
// main class, what main receives, and what an uncaught exception leads to.
namespace launcher {
namespace {

using testing::Calls;
using testing::FakeJava;
using testing::MainClassRun;

struct LookupCase {
  const char* name;
  bool bootLoaderExport;
  bool helperLacksCheckAndLoadMain;
  bool mainThrows;
  Calls calls;
};

class MainClassLookup : public MainClassRun, public ::testing::WithParamInterface<LookupCase> {};

TEST_P(MainClassLookup, CallsInOrder) {
  const LookupCase& c = GetParam();
  if (!c.bootLoaderExport) {
    library.JVM_FindClassFromBootLoader = nullptr;
  }
  if (c.helperLacksCheckAndLoadMain) {
    java.missingMethods.insert("sun/launcher/LauncherHelper.checkAndLoadMain");
    java.missingMethodRaises = false;
  }
  java.mainThrows = c.mainThrows;
  request.mainStarting = [this] { java.calls.push_back("main starting"); };
  request.closeSplash = [this] { java.calls.push_back("close splash"); };
  ASSERT_EQ(RunMainClass(library, vm, request),
            c.mainThrows ? MainOutcome::kThrew : MainOutcome::kReturned);
  EXPECT_EQ(java.calls, c.calls);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MainClassLookup,
    ::testing::Values(
        // The launcher helper takes the dotted name.
        LookupCase{"ThroughTheLauncherHelper",
                   true,
                   false,
                   false,
                   {"FindClass sun/launcher/LauncherHelper",
                    "sun/launcher/LauncherHelper.checkAndLoadMain(true,1,com.example.Main)",
                    "main starting", "com/example/Main.main", "detach"}},
        LookupCase{
            "WithoutTheBootLoaderExportInSlashForm",
            false,
            false,
            false,
            {"FindClass com/example/Main", "main starting", "com/example/Main.main", "detach"}},
        LookupCase{"HelperWithoutCheckAndLoadMainFallsBack",
                   true,
                   true,
                   false,
                   {"FindClass sun/launcher/LauncherHelper",
                    "missing sun/launcher/LauncherHelper.checkAndLoadMain",
                    "FindClass com/example/Main", "main starting", "com/example/Main.main",
                    "detach"}},
        // Without the failure check an uncaught exception is left to the VM.
        LookupCase{"UncaughtExceptionLeftToTheVm",
                   true,
                   false,
                   true,
                   {"FindClass sun/launcher/LauncherHelper",
                    "sun/launcher/LauncherHelper.checkAndLoadMain(true,1,com.example.Main)",
                    "main starting", "com/example/Main.main", "close splash",
                    "detach with java/lang/IllegalStateException"}}),
    [](const ::testing::TestParamInfo<LookupCase>& info) { return info.param.name; });

TEST_F(MainClassRun, MainReceivesExactUtf16Copies) {
  request.arguments = {L"plain", L"", L"with blank", L"\u00fc\u20ac", L"\U0001F600", L"a\xDC00"};
  ASSERT_EQ(RunMainClass(library, vm, request), MainOutcome::kReturned);
  EXPECT_EQ(java.mainArguments,
            (std::vector<std::u16string>{u"plain", u"", u"with blank", u"\u00fc\u20ac",
                                         u"\xD83D\xDE00", u"a\xDC00"}));
}

TEST_F(MainClassRun, AFailedDetachFailsTheRun) {
  java.detachResult = JNI_ERR;
  EXPECT_EQ(RunMainClass(library, vm, request), MainOutcome::kFailed);
}

TEST_F(MainClassRun, AThreadThatFailsLeavesTheVmForTeardownWhichDestroysItOnce) {
  library.JVM_FindClassFromBootLoader = nullptr;
  java.missingMethods.insert("com/example/Main.main");
  CreateOnDemand();
  EXPECT_EQ(MainClassThreadProc(library, vm, request), 1u);
  EXPECT_EQ(java.calls.back(), "detach");
  EXPECT_EQ(vm.javaVm, java.vm());
  DestroyVm(vm);
  DestroyVm(vm);
  EXPECT_EQ(java.calls.back(), "destroy");
  EXPECT_EQ(std::count(java.calls.begin(), java.calls.end(), "destroy"), 1);
  EXPECT_EQ(vm.javaVm, nullptr);
}

TEST_F(MainClassRun, ASuccessfulThreadDestroysTheVm) {
  CreateOnDemand();
  vm.threadStackSize = 1024 * 1024;
  EXPECT_EQ(StartMainClassThread(library, vm, request), 0u);
  EXPECT_EQ(java.calls.back(), "destroy");
  EXPECT_EQ(vm.javaVm, nullptr);
}

} // namespace
} // namespace launcher
