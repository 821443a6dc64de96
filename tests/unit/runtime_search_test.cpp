#include "jvm/discovery/runtime_search.h"

#include <sstream>

#include <gtest/gtest.h>

#include "base/java_version.h"
#include "base/platform.h"
#include "base/text.h"
#include "base/text_format.h"
#include "jvm/discovery/jvm_layout.h"
#include "jvm/discovery/registry_text.h"
#include "jvm/discovery/release_file.h"
#include "settings/settings_reader.h"
#include "unit/support/image_bytes.h"
#include "unit/support/scratch_folder.h"
#include "unit/support/search_settings.h"

namespace launcher {
namespace {

using namespace std::string_literals;
using testing::ScratchFolder;
using testing::SettingsFrom;

// A runtime home with a VM library of each kind by letter, in JvmKind's order: s(erver),
// c(lient), l (classic), h(otspot), j(rockit); each at the first name probed.
std::wstring Runtime(const ScratchFolder& folder, const std::wstring& home, std::string_view kinds,
                     const std::string& image = "") {
  for (char kind : kinds) {
    const std::wstring name = JvmLibraryNames(static_cast<JvmKind>("sclhj"s.find(kind))).front();
    folder.Write(home + L"/" + ReplaceAll(name, L'\\', L'/'), image);
  }
  return folder.MakeFolder(home);
}

// A registry in memory. Its keys are given as "vendor
// version home[:kinds]": vendor jre, jdk, ibm, rre or rdk (JRockit's), or x86 (a JRE in the
// 32-bit view); home "-" for no JavaHome value, "=" for an empty one.
struct MemoryRegistry : RuntimeRegistry {
  std::vector<std::tuple<std::wstring, bool, std::wstring, std::optional<std::wstring>>> keys;
  MemoryRegistry(const ScratchFolder& folder, const std::string& text) {
    std::istringstream in(text);
    for (std::string vendor, version, home; in >> vendor >> version >> home;) {
      const std::string kinds =
          home.find(':') == std::string::npos ? "c" : home.substr(home.find(':') + 1);
      home = home.substr(0, home.find(':'));
      const size_t index = "jre jdk ibm rre rdk x86"s.find(vendor) / 4;
      const wchar_t* const vendors[] = {kJavaSoftJreKey, kJavaSoftJdkKey, kIbmJreKey,
                                        kJrockitJreKey,  kJrockitJdkKey,  kJavaSoftJreKey};
      std::optional<std::wstring> value;
      if (home != "-") {
        value = home == "=" ? L"" : folder.MakeFolder(FromUtf8(home));
        Runtime(folder, FromUtf8(home) + (vendor == "jdk" || vendor == "rdk" ? L"/jre" : L""),
                kinds);
      }
      keys.emplace_back(vendors[index], index == 5, FromUtf8(version), value);
    }
  }
  std::vector<std::wstring> ListVersionKeys(const std::wstring& vendor, bool x86) override {
    std::vector<std::wstring> names;
    for (const auto& [key, view, version, home] : keys) {
      names.insert(names.end(), key == vendor && view == x86, version);
    }
    return names;
  }
  std::optional<std::wstring> QueryJavaHome(const std::wstring& vendor, const std::wstring& name,
                                            bool x86) override {
    for (const auto& [key, view, version, home] : keys) {
      if (key == vendor && view == x86 && version == name) {
        return home;
      }
    }
    return std::nullopt;
  }
};

TEST(RuntimeSearch, ProbesTheVmKindsInTheOrderOfTheJvmType) {
  // "kinds present>kind found" for each "JVM Type"; "-": none.
  for (const auto& [jvmType, cases] : {std::pair{kJvmTypeAny, "sc>c hlj>l sh>h sj>s j>j >-"},
                                       {kJvmTypeServer, "sc>s clhj>-"},
                                       {kJvmTypeFavorServer, "cj>c j>j cs>s"}}) {
    std::istringstream in(cases);
    for (std::string c; in >> c;) {
      ScratchFolder folder;
      const std::wstring home = Runtime(folder, L"rt", c.substr(0, c.find('>'))) + kPathSeparator;
      const FoundJvmLibrary library = FindJvmLibrary(home, jvmType);
      const size_t kind = "sclhj"s.find(c.back());
      EXPECT_EQ(library.path, kind > 4 ? L"" : home + JvmLibraryNames(JvmKind(kind)).front()) << c;
      EXPECT_EQ(library.isServer, c.back() == 's') << c;
    }
  }
}

TEST(RuntimeSearch, SourcesComeInTheirOrder) {
  ScratchFolder folder;
  MemoryRegistry registry(folder, "x86 1.8 x86 ibm 1.7 ibm:s");
  Runtime(folder, L"x86", "c", test::HostVmImage(true));
  LauncherSettings s;
  s.maximumVersion = kAnyMaximumVersion;
  const std::wstring app = folder.MakeFolder(L"app") + kPathSeparator, x86 = folder.Path(L"x86/"),
                     ibm = folder.Path(L"ibm/"), client = JvmLibraryNames(JvmKind::kClient)[0],
                     server = JvmLibraryNames(JvmKind::kServer)[0];
  // source, VM library, relaunched, IBM's
  const auto expect = [&](RuntimeSource source, const std::wstring& dll, bool relaunch,
                          bool isIbm) {
    const std::optional<RuntimeSearchResult> found =
        SearchForRuntime(s, app + L"t.exe", registry, ModernRuntimeSources{});
    ASSERT_TRUE(found) << ToUtf8(dll);
    EXPECT_EQ(found->source, source) << ToUtf8(dll);
    EXPECT_EQ(found->jvmDllPath, dll);
    EXPECT_EQ(found->relaunchPaired * 10 + found->ibmRuntime, relaunch * 10 + isIbm) << ToUtf8(dll);
  };
  // the 32-bit view needs a pair
  EXPECT_FALSE(SearchForRuntime(s, std::nullopt, registry, ModernRuntimeSources{}));
  s.pairProduct = L"tool32";
  expect(RuntimeSource::kRegistry32BitView, x86 + client, true, false);
  ApplyVmProvider(L"any", s);
  expect(RuntimeSource::kRegistry, ibm + server, false, true);
  // A runtime shipped in the launcher's jre64 folder, then in its own folder; never relaunched.
  const std::wstring marker = ReplaceAll(ShippedRuntimeMarker(), L'\\', L'/');
  Runtime(folder, L"app/jre64", "s");
  folder.Write(L"app/jre64/" + marker);
  expect(RuntimeSource::kShippedRuntime, app + L"jre64" + kPathSeparator + server, false, false);
  Runtime(folder, L"app", "c", test::HostVmImage(true));
  folder.Write(L"app/" + marker);
  expect(RuntimeSource::kShippedRuntime, app + client, false, false);
  // "JRE Path" comes first when it holds a VM library; the IBM rule from its release file.
  s.jrePath = folder.Path(L"x86");
  folder.Write(L"x86/release", "IMPLEMENTOR=\"IBM Corporation\"\n");
  expect(RuntimeSource::kJrePath, x86 + client, true, true);
  s.pairProduct.clear(); // relaunched only with a paired program
  expect(RuntimeSource::kJrePath, x86 + client, false, true);
  s.jvmType = kJvmTypeServer; // neither "JRE Path" nor the shipped runtime has a server VM
  expect(RuntimeSource::kRegistry, ibm + server, false, true);
}

TEST(RuntimeSearch, RanksAndSelectsAmongRegistryRuntimes) {
  const std::string three = "jre 1.6.0_45 6 jre 1.7.0_80 7 jre 1.8.0_151 8 ";
  const std::string range = "Minimum Version=1.6\nMaximum Version=1.8\n";
  for (const auto& [entries, settings, chosen] :
       std::initializer_list<std::tuple<std::string, std::string, std::string>>{
           {three, "", "8/"},
           {three, "Preferred versions=1.7", "7/"},
           {three, "Preferred versions=1.6;1.8", "6/"}, // list order beats ranking
           {three, "Preferred versions=;1.6", "8/"},    // an empty entry matches the first ranked
           {"jre 1.8.0_20 a jre 1.8.0_151 b jre 9 c", "Preferred versions=1.8", "b/"},
           {"jre 1.6 a jre 1.5 b", range, "a/"},
           {"jdk 1.7 a jre 1.8 b", "JVM Source=favor_JDK", "a/jre/"},
           {"jre 1.8.0_151 a jre 1.8.0.151 b", "", "a/"}, // equal ones keep their order
           {"jdk 11 a: jre 1.8 b", "", "b/"},             // homes without a VM library
           {"ibm 1.7 a jre 1.8 b", "VM Provider=favor_ibm\nJVM Source=favor_JRE", "a/"},
           {"rdk 1.6 a rre 1.7 b jdk 1.8 c", "VM Provider=jrockit", "b/"},
           {"rre 1.9 a ibm 1.9 b jdk 1.6 c jre 1.8 d", "JVM Source=only_JDK", "c/jre/"},
           {"jre 9 - jre 10 = jre 9.1 a: jre 1.8 b", "", "b/"}, // no or an empty JavaHome
           {"jre 1.8 a jre 1.7 b:s", "JVM Type=server", "b/"},
           {"jre 1.7 a:s jre 1.8 b", "", "b/"}, // a server VM counts only under favor_server
           {"jdk 1.8 a jdk 1.7 b:s", "JVM Type=favor_server", "b/jre/"},
           {"jre 1.8 a:cs jre 1.7 b:s", "JVM Type=favor_server", "b/"}, // JREs: client first
           {"jdk 1.6 a jre 1.8 b:s", "JVM Type=favor_server\nJVM Source=favor_JDK", "a/jre/"},
           {"x86 1.8 a", "", "-"}, // the 32-bit view only with a paired program
           {"x86 1.8 a", "[Application]\nPair Product=p", "a/ 32"},
           {"x86 9 a jre 1.8 b", "[Application]\nPair Product=p", "b/"}}) {
    ScratchFolder folder;
    MemoryRegistry registry(folder, entries);
    const LauncherSettings s = SettingsFrom(folder, settings);
    std::optional<RegistrySearchResult> found = SearchRegistry(registry, s, false);
    if (!found) {
      found = SearchRegistry(registry, s, true);
    }
    const size_t blank = std::min(chosen.find(' '), chosen.size());
    EXPECT_EQ(found ? found->javaHome + (found->relaunchPaired ? L" 32" : L"") : L"-",
              chosen == "-"
                  ? L"-"
                  : folder.Path(FromUtf8(chosen.substr(0, blank))) + FromUtf8(chosen.substr(blank)))
        << entries << settings;
  }
}

TEST(RuntimeSearch, ReleaseFilesAndRegistryValues) {
  const ReleaseFacts facts = ParseReleaseFile("# x\r\nOTHER=1\nnoise\nJAVA_VERSION=\"17.0.2\"\r\n"
                                              "JAVA_VERSION=\"18\"\nIMPLEMENTOR=IBM Corporation");
  EXPECT_EQ(facts.javaVersion + L"|" + facts.implementor, L"17.0.2|IBM Corporation");
  EXPECT_EQ(ParseReleaseFile("IMPLEMENTOR=\"\nJAVA_VERSION=\"\"\nJAVA_VERSION=9").javaVersion,
            L"9");
  EXPECT_EQ(ParseReleaseFile("OS_NAME=Linux\nIMPLEMENTOR=A\nIMPLEMENTOR=B").implementor, L"A");
  // The release file's IMPLEMENTOR decides; without one, a folder named "ibm", "ibm-*" or "ibm_*".
  for (const auto& [implementor, home, ibm] :
       {std::tuple{L"International Business Machines Corporation", L"/opt/x", true},
        {L"Eclipse Adoptium", L"/opt/ibm/java", false},
        {L"", L"/opt/ibm/java-x86_64-80/", true},
        {L"", L"/opt/IBM_java", true},
        {L"", L"/opt/Ibm-", true},
        {L"", L"/ibmjava/ibm.8/ib", false}}) {
    EXPECT_EQ(IsIbmRuntimeHome({L"", implementor}, home, L'/'), ibm) << ToUtf8(home);
  }
  // A registry value's text: little-endian UTF-16 to the first NUL or the end; an odd byte goes.
  for (const auto& [bytes, text] : {std::pair{"C\0:\0\0\0x\0"s, u"C:"},
                                    {"C\0:\0x"s, u"C:"},
                                    {"\x3D\xD8\x00\xDE"s, u"\U0001F600"},
                                    {""s, u""}}) {
    EXPECT_EQ(RegistryValueText(bytes), text);
  }
}

constexpr int32_t kOpen = 65535;

TEST(JavaVersion, ParsesComparesAndShowsItself) {
  std::wstring parsed; // the first four digit runs, the rest filled; too large a run: nothing
  for (const wchar_t* text : {L"1.8.0_151", L"jdk-11.0.2+9", L"x9:", L"", L"1.2147483647",
                              L"1.2147483648", L"1.2.3.4.99999999999", L"\u0661.\u0662"}) {
    const JavaVersion v = ParseVersion(text, 7);
    parsed += FormatText(L"%d.%d.%d.%d ", {v.parts[0], v.parts[1], v.parts[2], v.parts[3]});
  }
  EXPECT_EQ(parsed,
            L"1.8.0.151 11.0.2.9 9.7.7.7 0.0.0.0 1.2147483647.7.7 0.0.0.0 1.2.3.4 0.0.0.0 ");
  std::wstring shown;
  for (const JavaVersion& v : std::initializer_list<JavaVersion>{{{1, 8, 0, 0}},
                                                                 {{1, 8, 0, 151}},
                                                                 {{1, 8, kOpen, kOpen}},
                                                                 {{kOpen, kOpen, kOpen, kOpen}},
                                                                 {{1, kOpen, 0, 5}},
                                                                 {{9, kOpen, kOpen, kOpen}},
                                                                 {{11, 0, 0, 0}},
                                                                 {{0, 0, 3, 0}}}) {
    shown += FormatVersion(v) + L" ";
  }
  EXPECT_EQ(shown, L"1.8 1.8.0.151 1.8 0.0.0.0 1.65535.0.5 9 11.0 0.0.3 ");
}

TEST(JavaVersion, PreferredEntriesAndRequirementTexts) {
  // The trailing zeros of a "Preferred versions" entry match anything.
  std::string matches;
  for (const std::wstring pair :
       {L"1.8.0_151 1.8", L"1.7.0_80 1.8", L"11.0.2 11", L"1.11 11", L"9.0.1 ", L"1.0.1.5 1.0.0.5",
        L"1.8.0.2 1.8.0.1", L"2.0.0.7 1.0.0.7"}) {
    const size_t blank = pair.find(L' ');
    matches += MatchesPreferred(ParseVersion(pair.substr(0, blank), 0),
                                ParseVersion(pair.substr(blank), 0))
                   ? '1'
                   : '0';
  }
  EXPECT_EQ(matches, "10101000");
  const JavaVersion v16{{1, 6, 0, 0}}, v18{{1, 8, 0, 0}}, v18max{{1, 8, kOpen, kOpen}};
  for (const auto& [minimum, maximum, text] :
       std::initializer_list<std::tuple<JavaVersion, JavaVersion, const wchar_t*>>{
           {kAnyMaximumVersion, kAnyMinimumVersion, L"latest version"},
           {kAnyMinimumVersion, v18max, L"maximum version 1.8"},
           {{{1, 8, 0, 151}}, {{1, 8, 0, 151}}, L"version 1.8.0.151 is required"},
           {v18, v18max, L"version between 1.8 and 1.8"},
           {v16, {{9, kOpen, kOpen, kOpen}}, L"version between 1.6 and 9"}}) {
    EXPECT_EQ(RequirementText(minimum, maximum), text);
  }
}

} // namespace
} // namespace launcher
