#pragma once

// The fixture of the main-class thread tests: a stand-in VM already created, a library whose
// boot-loader export reaches the VM's FindClass, and a request for com/example/Main.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "jvm/hosting/main_class_thread.h"
#include "ui/exception_dialog.h"
#include "unit/support/fake_java.h"

namespace launcher::testing {

using Calls = std::vector<std::string>;

class MainClassRun : public ::testing::Test {
protected:
  MainClassRun() {
    vm.javaVm = java.vm();
    vm.jniEnv = java.env();
    library.JVM_FindClassFromBootLoader = FindHelper;
    request.mainClass = L"com/example/Main";
    request.showExceptionDialog = ShowJavaExceptionDialog;
    created = &java;
  }
  ~MainClassRun() override { created = nullptr; }

  // Starts from no VM at all, with a creation that hands over the stand-in.
  void CreateOnDemand() {
    library.JNI_CreateJavaVM = [](JavaVM** javaVm, void** env, void*) -> jint {
      *javaVm = created->vm();
      *env = created->env();
      return JNI_OK;
    };
    vm = VmLaunchState{};
  }

  // Runs the main class and returns what it wrote to standard error.
  std::string RunCapturingStderr(MainOutcome expected) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(RunMainClass(library, vm, request), expected);
    return ::testing::internal::GetCapturedStderr();
  }

  FakeJava java;
  VmLaunchState vm;
  JvmLibrary library;
  MainClassRequest request;

private:
  static jclass JNICALL FindHelper(JNIEnv* env, const char* name) { return env->FindClass(name); }
  static inline FakeJava* created = nullptr;
};

} // namespace launcher::testing
