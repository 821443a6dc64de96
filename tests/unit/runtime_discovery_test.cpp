// The search order and the probes that find a VM library in a folder.

#include <gtest/gtest.h>

#include "base/platform.h"
#include "base/text.h"
#include "jvm/discovery/jvm_layout.h"
#include "jvm/discovery/missing_jre_message.h"
#include "jvm/discovery/runtime_search.h"
#include "unit/support/discovery_fixtures.h"
#include "unit/support/in_memory_runtime_registry.h"

namespace launcher {
namespace {

using test::DiscoveryTempFolder;
using test::InMemoryRuntimeRegistry;
using test::NativeVmImage;
using test::ThirtyTwoBitVmImage;

std::wstring LibraryName(JvmKind kind) {
  return JvmLibraryNames(kind).front();
}

// The shipped-runtime marker, relative and "/"-separated as the fixtures take names.
std::string MarkerIn(const std::string& folder) {
  return folder + "/" + ToUtf8(ReplaceAll(ShippedRuntimeMarker(), L'\\', L'/'));
}

struct ProbeCase {
  const char* name;
  std::vector<JvmKind> present;
  int32_t jvmType;
  std::optional<JvmKind> found;
};

class FindJvmLibraryTest : public ::testing::TestWithParam<ProbeCase> {};

TEST_P(FindJvmLibraryTest, ProbesInTheOrderOfTheJvmType) {
  const ProbeCase& c = GetParam();
  DiscoveryTempFolder folder;
  for (JvmKind kind : c.present) {
    folder.MakeRuntime("rt", {kind});
  }
  const FoundJvmLibrary library = FindJvmLibrary(folder.Join("rt/"), c.jvmType);
  if (!c.found) {
    EXPECT_EQ(library.path, L"");
    EXPECT_FALSE(library.isServer);
    return;
  }
  EXPECT_EQ(library.path, folder.Join("rt/") + LibraryName(*c.found));
  EXPECT_EQ(library.isServer, *c.found == JvmKind::kServer);
}

using K = JvmKind;
INSTANTIATE_TEST_SUITE_P(
    Kinds, FindJvmLibraryTest,
    ::testing::Values(
        ProbeCase{"anyPrefersClient", {K::kServer, K::kClient}, kJvmTypeAny, K::kClient},
        ProbeCase{"anyClassicBeforeHotspot",
                  {K::kHotspot, K::kClassic, K::kJrockit},
                  kJvmTypeAny,
                  K::kClassic},
        ProbeCase{"anyHotspotBeforeServer", {K::kServer, K::kHotspot}, kJvmTypeAny, K::kHotspot},
        ProbeCase{"anyJrockitLast", {K::kJrockit}, kJvmTypeAny, K::kJrockit},
        ProbeCase{"serverOnly", {K::kServer, K::kClient}, kJvmTypeServer, K::kServer},
        ProbeCase{"serverOnlyRejectsOthers",
                  {K::kClient, K::kClassic, K::kHotspot, K::kJrockit},
                  kJvmTypeServer,
                  std::nullopt},
        ProbeCase{"favorServerFallsBackToClient",
                  {K::kClient, K::kJrockit},
                  kJvmTypeFavorServer,
                  K::kClient},
        ProbeCase{
            "favorServerFallsBackToJrockit", {K::kJrockit}, kJvmTypeFavorServer, K::kJrockit}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FindShippedRuntimeTest, LauncherFolderThenItsJre64FolderThenNothing) {
  DiscoveryTempFolder folder;
  const std::wstring launcher = folder.Join("app/tool.exe");
  EXPECT_EQ(FindShippedRuntime(launcher), L"");

  folder.WriteFile(MarkerIn("app/jre64"));
  EXPECT_EQ(FindShippedRuntime(launcher), folder.Join("app/jre64/"));

  folder.WriteFile(MarkerIn("app"));
  EXPECT_EQ(FindShippedRuntime(launcher), folder.Join("app/"));
}

// The search order, seen through which source wins.
class SearchForRuntimeTest : public ::testing::Test {
protected:
  void SetUp() override {
    settings.minimumVersion = kAnyMinimumVersion;
    settings.maximumVersion = kAnyMaximumVersion;
    modulePath = folder.Join("app/tool.exe");
    folder.MakeFolder("app");
  }

  void ShipRuntime(const std::string& relativeHome, std::initializer_list<JvmKind> kinds) {
    folder.MakeRuntime(relativeHome, kinds);
    folder.WriteFile(MarkerIn(relativeHome));
  }
  void RegisterRuntime(const std::string& relativeHome, bool use32BitView = false,
                       const std::string& image = "") {
    registry.Add(kJavaSoftJreKey, L"1.8.0_151",
                 folder.MakeRuntime(relativeHome, {JvmKind::kClient}, image), use32BitView);
  }
  std::optional<RuntimeSearchResult> Search() {
    return SearchForRuntime(settings, modulePath, registry);
  }

  DiscoveryTempFolder folder;
  InMemoryRuntimeRegistry registry;
  LauncherSettings settings;
  std::optional<std::wstring> modulePath;
};

TEST_F(SearchForRuntimeTest, JrePathComesFirstAndGetsItsSeparator) {
  folder.MakeRuntime("configured", {JvmKind::kClient});
  ShipRuntime("app", {JvmKind::kClient});
  RegisterRuntime("registered");
  settings.jrePath = folder.Join("configured");
  const auto result = Search();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->source, RuntimeSource::kJrePath);
  EXPECT_EQ(result->jvmDllPath, folder.Join("configured/") + LibraryName(JvmKind::kClient));
  EXPECT_FALSE(registry.WasOpened(kJavaSoftJreKey));
}

TEST_F(SearchForRuntimeTest, JrePathWithoutVmLibraryFallsThroughToTheNextSources) {
  folder.MakeFolder("configured");
  RegisterRuntime("registered");
  settings.jrePath = folder.Join("configured/");
  auto result = Search();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->source, RuntimeSource::kRegistry);

  ShipRuntime("app/jre64", {JvmKind::kClient});
  result = Search();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->source, RuntimeSource::kShippedRuntime);
}

TEST_F(SearchForRuntimeTest, ShippedServerVmIsFoundThroughTheProbeFallback) {
  ShipRuntime("app/jre64", {JvmKind::kServer});
  RegisterRuntime("registered");
  const auto result = Search();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->source, RuntimeSource::kShippedRuntime);
  EXPECT_EQ(result->jvmDllPath, folder.Join("app/jre64/") + LibraryName(JvmKind::kServer));
  EXPECT_FALSE(registry.WasOpened(kJavaSoftJreKey));
}

TEST_F(SearchForRuntimeTest,
       ThirtyTwoBitRuntimeFromJrePathIsRelaunchedOnlyWithAPairedProgramOthersHostedHere) {
  folder.MakeRuntime("x86", {JvmKind::kClient}, ThirtyTwoBitVmImage());
  settings.jrePath = folder.Join("x86");
  auto result = Search();
  ASSERT_TRUE(result);
  EXPECT_FALSE(result->relaunchPaired);

  settings.pairProduct = folder.Join("app/tool32.exe");
  result = Search();
  ASSERT_TRUE(result);
  EXPECT_TRUE(result->relaunchPaired);

  folder.MakeRuntime("native", {JvmKind::kClient}, NativeVmImage());
  settings.jrePath = folder.Join("native");
  result = Search();
  ASSERT_TRUE(result);
  EXPECT_FALSE(result->relaunchPaired);
}

TEST_F(SearchForRuntimeTest, ShippedThirtyTwoBitRuntimeIsNeverRelaunched) {
  folder.MakeRuntime("app", {JvmKind::kClient}, ThirtyTwoBitVmImage());
  folder.WriteFile(MarkerIn("app"));
  settings.pairProduct = folder.Join("app/tool32.exe");
  const auto result = Search();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->source, RuntimeSource::kShippedRuntime);
  EXPECT_FALSE(result->relaunchPaired);
}

TEST_F(SearchForRuntimeTest, ThirtyTwoBitViewIsTheLastSource) {
  RegisterRuntime("x86", true);
  EXPECT_FALSE(Search());
  settings.pairProduct = folder.Join("app/tool32.exe");
  const auto result = Search();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->source, RuntimeSource::kRegistry32BitView);
  EXPECT_TRUE(result->relaunchPaired);
  EXPECT_EQ(result->jvmDllPath, folder.Join("x86/") + LibraryName(JvmKind::kClient));
}

struct MessageCase {
  int32_t jvmType;
  const char* minimum;
  const char* maximum;
  const wchar_t* text;
};

class MissingJreMessageTest : public ::testing::TestWithParam<MessageCase> {};

TEST_P(MissingJreMessageTest, NamesTheServerVmOnlyForServerType) {
  const MessageCase& c = GetParam();
  const JavaVersion minimum =
      *c.minimum == '\0' ? kAnyMinimumVersion : ParseVersion(FromUtf8(c.minimum), 0);
  const JavaVersion maximum =
      *c.maximum == '\0' ? kAnyMaximumVersion : ParseVersion(FromUtf8(c.maximum), 65535);
  EXPECT_EQ(ComposeMissingJreMessage(c.jvmType, minimum, maximum), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MissingJreMessageTest,
    ::testing::Values(
        MessageCase{kJvmTypeServer, "", "",
                    L"The Java Runtime Environment (JRE) was not found. Please  download and "
                    L"install a JRE with a server JVM (latest version) from:"},
        MessageCase{kJvmTypeAny, "1.6", "1.8",
                    L"The Java Runtime Environment (JRE) was not found. Please  download and "
                    L"install a JRE (version between 1.6 and 1.8) from:"},
        MessageCase{kJvmTypeFavorServer, "11", "",
                    L"The Java Runtime Environment (JRE) was not found. Please  download and "
                    L"install a JRE (minimum version 11.0) from:"}));

} // namespace
} // namespace launcher
