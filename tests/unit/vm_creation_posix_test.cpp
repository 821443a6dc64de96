#include <cstdio>
#include <dlfcn.h>
#include <filesystem>
#include <link.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "base/text.h"
#include "jvm/hosting/jvm_library.h"
#include "jvm/hosting/vm_creation.h"
#include "unit/support/image_bytes.h"
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
  const std::wstring missing = folder.Path(L"absent/libjvm.so");
  const std::wstring text = folder.Write(L"text.so", "not an ELF image");
  const std::wstring truncated =
      folder.Write(L"truncated.so", test::MakeElfWithSegments(2, 1, 64, {{1, 0, 8192}}, 4096));
  const std::wstring thirtyTwoBit = folder.Write(L"x86.so", test::MakeElfBytes(1, 1, 3, 1024));
  const std::wstring fifo = folder.Path(L"fifo.so");
  ASSERT_EQ(mkfifo(ToUtf8(fifo).c_str(), 0600), 0);
  // The C library, by its full path: a shared library without the VM's exports.
  link_map* libc = nullptr;
  void* libcHandle = dlopen("libc.so.6", RTLD_NOW | RTLD_NOLOAD);
  ASSERT_EQ(dlinfo(libcHandle, RTLD_DI_LINKMAP, &libc), 0);
  const std::wstring noExports = FromUtf8(libc->l_name);
  dlclose(libcHandle);
  const std::string failed = "Failed to load Java VM library: ";
  const struct {
    std::wstring path;
    std::string message;
  } cases[] = {
      {missing, failed + ToUtf8(missing) + ": No such file or directory.\n"},
      {folder.path(), failed + ToUtf8(folder.path()) + ": not a regular file.\n"},
      // Opening a FIFO would wait for a writer for good.
      {fifo, failed + ToUtf8(fifo) + ": not a regular file.\n"},
      {text, failed + ToUtf8(text) + ": not a shared library.\n"},
      // The loader would map the segment past the end of the file and fault on it.
      {truncated, failed + ToUtf8(truncated) +
                      ": truncated: its headers describe more than the file holds.\n"},
      // The dynamic loader's own words.
      {thirtyTwoBit, failed + ToUtf8(thirtyTwoBit) + ": wrong ELF class: ELFCLASS32.\n"},
      {noExports,
       "The Java VM library " + ToUtf8(noExports) + " does not export JNI_CreateJavaVM.\n"},
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
