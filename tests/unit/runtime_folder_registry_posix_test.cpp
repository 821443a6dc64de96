#include "jvm/discovery/runtime_folder_registry.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "base/text.h"
#include "jvm/discovery/image_architecture.h"
#include "jvm/discovery/jvm_layout.h"
#include "jvm/discovery/runtime_search.h"
#include "unit/support/discovery_fixtures.h"
#include "unit/support/image_bytes.h"

namespace launcher {
namespace {

using test::DiscoveryTempFolder;
using test::MakeElfBytes;
using Names = std::vector<std::wstring>;

const std::string kNative = MakeElfBytes(2, 1, kElfMachineX86_64);
const std::string kX86 = MakeElfBytes(1, 1, kElfMachineX86);
const std::string kArm64 = MakeElfBytes(2, 1, kElfMachineAarch64);

void Link(const std::wstring& target, const std::wstring& link) {
  std::filesystem::create_directory_symlink(ToUtf8(target), ToUtf8(link));
}

// A FIFO where a file is expected: opening it for reading would wait for a writer for good.
void MakeFifo(const DiscoveryTempFolder& root, const std::string& relative) {
  root.MakeFolder(relative.substr(0, relative.rfind('/')));
  ASSERT_EQ(mkfifo(ToUtf8(root.Join(relative)).c_str(), 0600), 0) << relative;
}

// Three roots laid out as distributions and vendors install runtimes, plus a folder outside
// every root that one root links to. FIFOs in place of a VM library or a release file count
// as absent.
class RuntimeFolderRegistryTest : public ::testing::Test {
protected:
  void SetUp() override {
    root.WriteFile("jvm/jdk-17/release",
                   "IMPLEMENTOR=\"Eclipse Adoptium\"\nJAVA_VERSION=\"17.0.2\"\n");
    root.WriteFile("jvm/jdk-17/lib/server/libjvm.so", kNative);
    root.WriteFile("jvm/jdk1.8.0_151/jre/lib/amd64/server/libjvm.so", kNative);
    root.WriteFile("jvm/ibm-8/release",
                   "IMPLEMENTOR=\"IBM Corporation\"\r\nJAVA_VERSION=1.8.0_301\r\n");
    root.WriteFile("jvm/ibm-8/jre/lib/amd64/server/libjvm.so", kNative);
    root.WriteFile("jvm/semeru-11/release",
                   "JAVA_VERSION=\"11.0.20\"\nIMPLEMENTOR=\"IBM Corporation\"\n");
    root.WriteFile("jvm/semeru-11/lib/server/libjvm.so", kNative);
    root.WriteFile("jvm/i386-8/release", "JAVA_VERSION=\"1.8.0_202\"\n");
    root.WriteFile("jvm/i386-8/lib/i386/client/libjvm.so", kX86);
    root.WriteFile("jvm/i386-8/lib/client/libjvm.so", kX86);
    root.WriteFile("jvm/both-9/release", "JAVA_VERSION=\"9.0.4\"\n");
    root.WriteFile("jvm/both-9/lib/server/libjvm.so", kNative);
    root.WriteFile("jvm/both-9/lib/client/libjvm.so", kX86);
    root.WriteFile("jvm/arm-21/release", "JAVA_VERSION=\"21\"\n");
    root.WriteFile("jvm/arm-21/lib/server/libjvm.so", kArm64);
    root.WriteFile("jvm/docs-17/release", "JAVA_VERSION=\"17.0.2\"\n");
    root.WriteFile("jvm/broken-22/release", "JAVA_VERSION=\"22\"\n");
    root.WriteFile("jvm/broken-22/lib/server/libjvm.so", "");
    root.WriteFile("jvm/notes.txt", "not a runtime");
    root.WriteFile("jvm/fifo-23/release", "JAVA_VERSION=\"23\"\n");
    MakeFifo(root, "jvm/fifo-23/lib/server/libjvm.so");
    MakeFifo(root, "jvm/fifo-release-24/release");
    root.WriteFile("jvm/fifo-release-24/lib/server/libjvm.so", kNative);
    Link(root.Join("jvm/jdk-17"), root.Join("jvm/default-java"));

    root.WriteFile("java/jdk-17-again/release", "JAVA_VERSION=\"17.0.2\"\n");
    root.WriteFile("java/jdk-17-again/lib/server/libjvm.so", kNative);
    Link(root.Join("jvm/jdk-17"), root.Join("java/alias-17"));

    root.WriteFile("outside/jdk-21/release", "JAVA_VERSION=\"21.0.1\"\n");
    root.WriteFile("outside/jdk-21/lib/server/libjvm.so", kNative);
    root.MakeFolder("opt");
    Link(root.Join("outside/jdk-21"), root.Join("opt/current"));
  }

  RuntimeFolderRegistry Registry() {
    return RuntimeFolderRegistry(
        {root.Join("jvm"), root.Join("java/"), root.Join("absent"), root.Join("opt")},
        kElfMachineX86_64);
  }

  DiscoveryTempFolder root;
};

TEST_F(RuntimeFolderRegistryTest, SortsRuntimesUnderTheVendorKeysOfTheirKindAndView) {
  RuntimeFolderRegistry registry = Registry();
  struct Expectation {
    const wchar_t* key;
    bool use32BitView;
    Names names;
  };
  const Expectation expectations[] = {
      {kJavaSoftJreKey, false, {L"9.0.4", L"fifo-release-24", L"17.0.2", L"21.0.1"}},
      {kJavaSoftJdkKey, false, {L"jdk1.8.0_151"}},
      {kIbmJreKey, false, {L"1.8.0_301", L"11.0.20"}},
      {kJavaSoftJreKey, true, {L"9.0.4", L"1.8.0_202"}},
      {kJavaSoftJdkKey, true, {}},
      {kIbmJreKey, true, {}},
      {kJrockitJreKey, false, {}},
      {kJrockitJdkKey, false, {}},
  };
  for (const Expectation& e : expectations) {
    EXPECT_EQ(registry.ListVersionKeys(e.key, e.use32BitView), e.names)
        << ToUtf8(e.key) << (e.use32BitView ? " 32-bit view" : " native view");
  }
}

TEST_F(RuntimeFolderRegistryTest, JavaHomeIsTheRuntimeFolderOrTheJreOfAnIbmJdk) {
  RuntimeFolderRegistry registry = Registry();
  struct Expectation {
    const wchar_t* key;
    const wchar_t* version;
    bool use32BitView;
    std::optional<std::wstring> home;
  };
  const Expectation expectations[] = {
      {kJavaSoftJreKey, L"17.0.2", false, root.Join("jvm/jdk-17")},
      {kJavaSoftJdkKey, L"jdk1.8.0_151", false, root.Join("jvm/jdk1.8.0_151")},
      {kIbmJreKey, L"1.8.0_301", false, root.Join("jvm/ibm-8/jre")},
      {kIbmJreKey, L"11.0.20", false, root.Join("jvm/semeru-11")},
      {kJavaSoftJreKey, L"1.8.0_202", true, root.Join("jvm/i386-8")},
      {kJavaSoftJreKey, L"9.0.4", true, root.Join("jvm/both-9")},
      {kJavaSoftJreKey, L"21.0.1", false, root.Join("opt/current")},
      {kJavaSoftJreKey, L"1.8.0_202", false, std::nullopt},
      {kJavaSoftJreKey, L"21", false, std::nullopt},
      {kJavaSoftJreKey, L"22", false, std::nullopt},
      {kJavaSoftJdkKey, L"17.0.2", false, std::nullopt},
  };
  for (const Expectation& e : expectations) {
    EXPECT_EQ(registry.QueryJavaHome(e.key, e.version, e.use32BitView), e.home)
        << ToUtf8(e.key) << ToUtf8(e.version);
  }
}

TEST_F(RuntimeFolderRegistryTest, AliasesOfAVisitedRuntimeAreNotListedAgain) {
  RuntimeFolderRegistry registry = Registry();
  std::vector<std::wstring> homes;
  for (const auto& runtime : registry.Runtimes()) {
    homes.push_back(runtime.javaHome);
  }
  EXPECT_EQ(homes,
            (Names{root.Join("jvm/both-9"), root.Join("jvm/fifo-release-24"),
                   root.Join("jvm/i386-8"), root.Join("jvm/ibm-8/jre"), root.Join("jvm/jdk-17"),
                   root.Join("jvm/jdk1.8.0_151"), root.Join("jvm/semeru-11"),
                   root.Join("java/jdk-17-again"), root.Join("opt/current")}));
}

// The search over these folders: an old-layout JDK is probed in its jre folder, in the
// lib/<arch>/server layout; the 32-bit view is reached only with a paired program.
TEST_F(RuntimeFolderRegistryTest, SearchFindsTheVmLibraryInEitherLayout) {
  if (JvmLibraryNames(JvmKind::kServer).back() != L"lib/amd64/server/libjvm.so") {
    GTEST_SKIP() << "the fixtures use the x86-64 names of the older layout";
  }
  RuntimeFolderRegistry registry = Registry();
  LauncherSettings settings;
  settings.maximumVersion = kAnyMaximumVersion;
  settings.preferredVersions = {L"1.8"};
  std::optional<RuntimeSearchResult> found = SearchForRuntime(settings, std::nullopt, registry);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->jvmDllPath, root.Join("jvm/jdk1.8.0_151/jre/lib/amd64/server/libjvm.so"));

  settings.preferredVersions.clear();
  settings.maximumVersion = ParseVersion(L"1.8.0_202", 0);
  settings.minimumVersion = settings.maximumVersion;
  EXPECT_FALSE(SearchForRuntime(settings, std::nullopt, registry));
  settings.pairProduct = L"tool32";
  found = SearchForRuntime(settings, std::nullopt, registry);
  ASSERT_TRUE(found);
  EXPECT_TRUE(found->relaunchPaired);
  EXPECT_EQ(found->jvmDllPath, root.Join("jvm/i386-8/lib/client/libjvm.so"));
}

} // namespace
} // namespace launcher
