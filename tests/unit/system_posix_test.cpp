// The Linux edges: what is no regular file, the settings of a Linux system, and messages on
// standard error.

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "base/files.h"
#include "base/launcher_paths.h"
#include "base/text.h"
#include "jvm/hosting/jvm_library.h"
#include "settings/ini_file.h"
#include "settings/launcher_settings.h"
#include "settings/settings_reader.h"
#include "unit/support/image_bytes.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

using testing::ScopedEnvironmentVariable;

// A FIFO, a device or a folder where a file is expected counts as absent, and nothing waits to
// open it; a VM library that cannot be loaded never reaches the dynamic loader and says why.
TEST(Posix, OnlyRegularFilesAreReadAndNothingBlocks) {
  testing::ScratchFolder folder;
  const std::wstring fifo = folder.Path(L"fifo"), zero = folder.Path(L"zero");
  ASSERT_EQ(mkfifo(ToUtf8(fifo).c_str(), 0600), 0);
  ASSERT_EQ(symlink("/dev/zero", ToUtf8(zero).c_str()), 0);
  for (const std::wstring& path : {fifo, zero, folder.path()}) {
    EXPECT_EQ(ReadRegularFile(path, 10).result, FileReadResult::kAbsent) << ToUtf8(path);
    EXPECT_FALSE(IsRegularFile(path) || !ReadFileStart(path, 4).empty()) << ToUtf8(path);
  }
  // Files of /proc report no size: the bound holds for them all the same.
  EXPECT_EQ(ReadRegularFile(L"/proc/self/cmdline", 10).result, FileReadResult::kTooLarge);
  EXPECT_EQ(ReadRegularFile(L"/proc/self/cmdline", 1 << 20).result, FileReadResult::kRead);
  folder.Write(L"d\u00e4t\u00e4 \U0001F600.JAR", "content"); // UTF-8 names, matched with case
  EXPECT_EQ(FindMatchingNames(folder.Path(L"d*")),
            std::vector<std::wstring>{L"d\u00e4t\u00e4 \U0001F600.JAR"});
  EXPECT_TRUE(FindMatchingNames(folder.Path(L"*.jar")).empty());
  for (const auto& [path, why] :
       {std::pair{folder.path(), "not a regular file"},
        {fifo, "not a regular file"},
        {folder.Write(L"cut.so", test::MakeElfWithSegments(2, 1, 64, {{1, 0, 8192}}, 4096)),
         "truncated: its headers describe more than the file holds"}}) {
    JvmLibrary library;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(BindJvmLibrary(path, library));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Failed to load Java VM library: " + ToUtf8(path) + ": " + why + ".\n");
  }
}

TEST(Posix, SettingsFilesAndTheirMessages) {
  testing::ScratchFolder folder;
  const std::wstring path = folder.Write(L"tool.ini", "[Java Runtime Environment]\nMain Class=\n");
  LauncherSettings s;
  const auto load = [&](bool expected) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(LoadSettings(SettingsReader(path), folder.Path(L"tool"), nullptr, s), expected);
    return ::testing::internal::GetCapturedStderr();
  };
  EXPECT_EQ(load(false), "Main class was not specified in INI file.\n");
  std::string text = "[Java Runtime Environment]\nMain Class=a.Main\nJRE Path=..\\jre\\\n"
                     "System Path=b\\x;b\\y\nLibrary Path=n\\lib\n[Application]\n"
                     "Pair Product=..\\p\\app32\n";
  folder.Write(L"tool.ini", text);
  EXPECT_EQ(load(true), "");
  EXPECT_EQ(s.jrePath + L"|" + s.systemPath + L"|" + s.libraryPath + L"|" + s.pairProduct,
            L"../jre/|b/x;b/y|n/lib|../p/app32");        // one settings file serves both platforms
  ASSERT_TRUE(CreateFolder(folder.Path(L"folder.ini"))); // there but unreadable: not replaced
  EXPECT_FALSE(IniFile(folder.Path(L"folder.ini")).WriteString(L"A", L"k", L"v"));

  ScopedEnvironmentVariable home(L"HOME", L"/home/someone/"), config(L"XDG_CONFIG_HOME", L"no/abs");
  EXPECT_EQ(UserSettingsRoot(), L"/home/someone/.config"); // a relative $XDG_CONFIG_HOME is no root
}

} // namespace
} // namespace launcher
