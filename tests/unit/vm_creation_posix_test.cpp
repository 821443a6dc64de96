#include <cstdio>
#include <filesystem>

#include <gtest/gtest.h>

#include "base/text.h"
#include "jvm/hosting/jvm_library.h"
#include "jvm/hosting/vm_creation.h"
#include "unit/support/scratch_folder.h"

// Message texts reach standard error on Linux, so the failures of binding and creation are
// read there.
namespace launcher {
namespace {

jint creationAnswer = JNI_OK;
jint JNICALL FailingCreateJavaVm(JavaVM** vm, void** env, void*) {
  *vm = nullptr;
  *env = nullptr;
  return creationAnswer;
}

TEST(CreateVmFailure, ShowsTheReasonForTheResult) {
  const struct {
    jint answer;
    const char* message;
  } cases[] = {
      {JNI_ENOMEM, "JNI exception: failed to create the Java VM\nReason: not enough memory.\n"},
      {JNI_EINVAL, "JNI exception: failed to create the Java VM\nReason: invalid arguments.\n"},
      {-7, "JNI exception: failed to create the Java VM\nReason: .\n"},
  };
  for (const auto& c : cases) {
    creationAnswer = c.answer;
    JvmLibrary library;
    library.JNI_CreateJavaVM = FailingCreateJavaVm;
    VmLaunchState vm;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(CreateVm(library, vm));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.message);
    EXPECT_EQ(vm.javaVm, nullptr);
  }
}

TEST(BindJvmLibrary, ShowsWhyTheLibraryCannotBeUsed) {
  testing::ScratchFolder folder;
  const std::wstring notALibrary = folder.Write(L"libjvm.so", "not an ELF image");
  const struct {
    std::wstring path;
    std::string message;
  } cases[] = {
      {L"/nonexistent/lib/server/libjvm.so",
       "Failed to load Java VM library: /nonexistent/lib/server/libjvm.so (errno = 2).\n"},
      {notALibrary, "Failed to load Java VM library: " + ToUtf8(notALibrary) + " (errno = 8).\n"},
      {L"libm.so.6", "Windows exception: cannot find CreateJavaVM JNI (errno = 2).\n"},
  };
  for (const auto& c : cases) {
    JvmLibrary library;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(BindJvmLibrary(c.path, library));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.message);
    EXPECT_EQ(library.JNI_CreateJavaVM, nullptr);
  }
}

TEST(BindJvmLibrary, BindsAnInstalledRuntime) {
  const std::wstring path = L"/usr/lib/jvm/java-17-openjdk-amd64/lib/server/libjvm.so";
  if (!std::filesystem::exists(std::filesystem::path(path))) {
    GTEST_SKIP() << "no JDK 17 here";
  }
  JvmLibrary library;
  ASSERT_TRUE(BindJvmLibrary(path, library));
  EXPECT_NE(library.JNI_CreateJavaVM, nullptr);
  EXPECT_NE(library.JNI_GetDefaultJavaVMInitArgs, nullptr);
  EXPECT_NE(library.JVM_FindClassFromBootLoader, nullptr);
  EXPECT_EQ(DefaultThreadStackSize(library), 1048576u);
}

} // namespace
} // namespace launcher
