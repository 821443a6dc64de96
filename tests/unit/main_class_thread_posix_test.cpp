#include "jvm/hosting/main_class_thread.h"

#include <gtest/gtest.h>

#include "unit/support/main_class_run.h"

// The messages of the main-class thread, which reach standard error on Linux.
namespace launcher {
namespace {

using testing::Calls;
using MainClassMessages = testing::MainClassRun;

TEST_F(MainClassMessages, AnErrorLeftByTheHelperGivesMessage211) {
  java.helperRaises = true;
  EXPECT_EQ(RunCapturingStderr(MainOutcome::kFailed),
            "Failed to load Main Class: com/example/Main.\n");
}

TEST_F(MainClassMessages, AClassTheVmCannotFindIsDescribedThenGivesMessage215) {
  library.JVM_FindClassFromBootLoader = nullptr;
  java.missingClasses.insert("com/example/Main");
  EXPECT_EQ(RunCapturingStderr(MainOutcome::kFailed),
            "Could not find the main class com/example/Main.\n");
  EXPECT_EQ(java.calls,
            (Calls{"FindClass com/example/Main", "describe java/lang/NoClassDefFoundError"}));
}

TEST_F(MainClassMessages, AMissingMainWithoutAPendingExceptionGivesMessage216) {
  java.missingMethods.insert("com/example/Main.main");
  java.missingMethodRaises = false;
  EXPECT_EQ(RunCapturingStderr(MainOutcome::kFailed), "No main method found in specified class.\n");
}

TEST_F(MainClassMessages, AMissingMainWithAPendingExceptionIsOnlyDescribed) {
  java.missingMethods.insert("com/example/Main.main");
  EXPECT_EQ(RunCapturingStderr(MainOutcome::kFailed), "");
  EXPECT_EQ(java.calls.back(), "describe java/lang/NoSuchMethodError");
}

TEST_F(MainClassMessages, WithFailureCheckTheTraceIsShownAndTheApplicationStopped) {
  java.mainThrows = true;
  java.traceText = u"java.lang.IllegalStateException: \u00fc\n\tat Main.main(Main.java:1)\n";
  request.failureCheck = true;
  EXPECT_EQ(RunCapturingStderr(MainOutcome::kReturned),
            "java.lang.IllegalStateException: \xC3\xBC\n\tat Main.main(Main.java:1)\n");
  EXPECT_EQ(java.calls,
            (Calls{"FindClass sun/launcher/LauncherHelper",
                   "sun/launcher/LauncherHelper.checkAndLoadMain(true,1,com.example.Main)",
                   "com/example/Main.main", "java/lang/IllegalStateException.printStackTrace",
                   "java/io/ByteArrayOutputStream.toString", "System.exit(-1)", "detach"}));
}

TEST_F(MainClassMessages, AnEmptyTraceShowsNothingAndCountsAsIgnore) {
  java.mainThrows = true;
  java.traceText = u"";
  request.failureCheck = true;
  EXPECT_EQ(RunCapturingStderr(MainOutcome::kReturned), "");
  EXPECT_EQ(java.calls.back(), "detach") << "no System.exit, and the exception was cleared";
}

} // namespace
} // namespace launcher
