#include "jvm/discovery/modern_runtime_search.h"

#include <algorithm>
#include <sstream>
#include <tuple>

#include <gtest/gtest.h>

#include "base/platform.h"
#include "base/text.h"
#include "jvm/discovery/jvm_layout.h"
#include "settings/settings_reader.h"
#include "unit/support/image_bytes.h"
#include "unit/support/scratch_folder.h"
#include "unit/support/search_settings.h"

namespace launcher {
namespace {

using namespace std::string_literals;
using testing::ScratchFolder;
using testing::SettingsFrom;

// A registry in memory, with JAVA_HOME and one user's folder (u) beside it, written as words
// in fours: "source name home release".
// - source: old (the old JavaSoft JRE key) or a key of ModernRegistryKeys by its word below,
//   with "cu." before it for HKEY_CURRENT_USER, ".32" after it for the 32-bit view; env:
//   JAVA_HOME; user: a folder of u (home u/NAME). The name is the key's subkey.
// - home: a folder, written home:kinds: a VM library of each kind by letter (s c l h j as in
//   JvmKind; s when none is given), x making them 32-bit x86 images, J adding the Java compiler,
//   8 putting them in its "jre" folder. "-" for no value, "=" for an empty one.
// - release: JAVA_VERSION of the home's release file, "-" for no release file.
struct Machine : RuntimeRegistry {
  std::vector<std::tuple<RegistryHive, bool, std::wstring, std::wstring, std::wstring>> values;
  ModernRuntimeSources sources;

  Machine(const ScratchFolder& folder, const std::string& words) {
    const std::string keyWords = " jdk jre tem temjre eclipse eclipsejre adopt adoptjre ms zulu ";
    sources.userRuntimeFolders = {folder.Path(L"u")};
    std::istringstream in(words);
    for (std::string source, name, home, release; in >> source >> name >> home >> release;) {
      const std::string kinds = home.find(':') == home.npos ? "s" : home.substr(home.find(':') + 1);
      const std::wstring path = FromUtf8(home.substr(0, home.find(':')));
      std::wstring text;
      if (path != L"-" && path != L"=") {
        const std::wstring base = path + (kinds.find('8') != kinds.npos ? L"/jre/" : L"/");
        for (char kind : kinds) {
          const size_t vm = "sclhj"s.find(kind);
          if (vm != std::string::npos || kind == 'J') {
            const std::wstring file = kind == 'J' ? path + L"/" + JdkCompilerName()
                                                  : base + JvmLibraryNames(JvmKind(vm)).front();
            folder.Write(ReplaceAll(file, L'\\', L'/'),
                         test::HostVmImage(kinds.find('x') != kinds.npos));
          }
        }
        if (release != "-") {
          folder.Write(path + L"/release", "JAVA_VERSION=\"" + release + "\"\n");
        }
        text = folder.MakeFolder(path);
      }
      const bool user = source.rfind("cu.", 0) == 0, x86 = source.find(".32") != source.npos;
      source = source.substr(user ? 3 : 0, source.find('.', user ? 3 : 0) - (user ? 3 : 0));
      const auto hive = user ? RegistryHive::kCurrentUser : RegistryHive::kLocalMachine;
      if (source == "env") {
        sources.javaHome = text;
      } else if (source == "old") {
        values.emplace_back(hive, x86, kJavaSoftJreKey + FromUtf8(name), L"JavaHome", text);
      } else if (source != "user") {
        const size_t at = keyWords.find(" " + source + " ");
        EXPECT_NE(at, std::string::npos) << source;
        const ModernRegistryKey& key =
            ModernRegistryKeys()[std::count(keyWords.begin(), keyWords.begin() + at + 1, ' ') - 1];
        values.emplace_back(hive, x86, key.path + FromUtf8(name) + key.valueKey,
                            path == L"-" ? L"Other" : key.valueName, text);
      }
    }
  }
  std::vector<std::wstring> ListSubkeys(RegistryHive hive, const std::wstring& key,
                                        bool x86) override {
    std::vector<std::wstring> names;
    for (const auto& [h, view, path, name, text] : values) {
      if (h == hive && view == x86 && path.rfind(key, 0) == 0) {
        const std::wstring subkey =
            path.substr(key.size(), path.find(L'\\', key.size()) - key.size());
        if (std::find(names.begin(), names.end(), subkey) == names.end()) {
          names.push_back(subkey);
        }
      }
    }
    return names;
  }
  std::optional<std::wstring> QueryText(RegistryHive hive, const std::wstring& key,
                                        const std::wstring& valueName, bool x86) override {
    for (const auto& [h, view, path, name, text] : values) {
      if (h == hive && view == x86 && path == key && name == valueName) {
        return text;
      }
    }
    return std::nullopt;
  }
  std::vector<std::wstring> ListVersionKeys(const std::wstring& key, bool x86) override {
    return ListSubkeys(RegistryHive::kLocalMachine, key, x86);
  }
  std::optional<std::wstring> QueryJavaHome(const std::wstring& key, const std::wstring& name,
                                            bool x86) override {
    return QueryText(RegistryHive::kLocalMachine, key + name, L"JavaHome", x86);
  }
};

TEST(ModernRuntimeSearch, FindsFiltersAndRanksTodaysRuntimesAfterAllOthers) {
  const std::string three = "tem 11 a - ms 17 b - zulu zulu-21 c - ";
  const std::string pair = "[Application]\nPair Product=p";
  // The home of the VM library taken, " 32" when it is run through the paired program; "-".
  for (const auto& [words, settings, chosen] :
       std::initializer_list<std::tuple<std::string, std::string, std::string>>{
           {"cu.zulu any a 21", "", "a"}, // a per-user install
           {"env - a -", "", "a"},
           {"user - u/jdk-21 -", "", "u/jdk-21"},
           {"tem 8 a:s8 1.8.0_392", "", "a/jre"}, // a Java 8 JDK keeps its VM in its jre folder
           {"tem 21 = - ms 17 - -", "", "-"},     // an empty value, none
           // One list within the range, by the version of the release file, else of the name.
           {three, "", "c"},
           {three, "Maximum Version=17", "b"},
           {three, "Minimum Version=22", "-"},
           {three, "Preferred versions=9;11", "a"},
           {"tem 21 a 17.0.9 zulu zulu-17 b 21.0.1", "", "b"},
           {"cu.tem 21 a - tem 17 b - env - c 19", "Maximum Version=20", "c"},
           {"user - u/jdk-17.0.2+8 - user - u/jdk-21 -", "Maximum Version=17", "u/jdk-17.0.2+8"},
           // "JVM Source": the JDK keys hold JDKs, any other home is one with the compiler.
           {"jdk 21 a - jre 17 b -", "JVM Source=only_JRE", "b"},
           {"zulu z21 a:sJ - zulu z17 b -", "JVM Source=only_JRE", "b"},
           {"env - a:sJ 21 tem 17 b -", "JVM Source=only_JDK", "a"},
           // "JVM Type", and "VM Provider" (the default vendor's).
           {"tem 21 a:cs - tem 17 b -", "JVM Type=favor_server", "a"},
           {"tem 21 a -", "VM Provider=ibm", "-"},
           {"tem 21 a -", "VM Provider=favor_ibm", "a"},
           // 32-bit: run through the paired program, only when no other is admitted.
           {"tem.32 17 a:sx -", "", "-"},
           {"tem.32 17 a:sx -", pair, "a 32"},
           {"tem.32 21 a:sx - tem 11 b -", pair, "b"},
           {"env - a:sx 21", "", "-"},
           {"cu.tem 21 a:sx - ms 17 b -", pair, "b"},
           // After every other source, and not at all with "No".
           {"tem 25 a - old 1.8 b:c -", "", "b"},
           {"tem 25 a - old 1.8 b:c -", "Minimum Version=9", "a"},
           {"tem 25 a -", "Search Modern Runtimes=no", "-"},
           {"tem 25 a -", "Search Modern Runtimes=No!", "a"},
       }) {
    ScratchFolder folder;
    Machine machine(folder, words);
    const std::optional<RuntimeSearchResult> found =
        SearchForRuntime(SettingsFrom(folder, settings), std::nullopt, machine, machine.sources);
    const std::wstring home = found ? RuntimeHome(found->jvmDllPath) : L"";
    EXPECT_EQ(found
                  ? ToUtf8(ReplaceAll(home.substr(std::min(home.size(), folder.path().size() + 1)),
                                      kPathSeparator, L'/')) +
                        (found->relaunchPaired ? " 32" : "")
                  : "-",
              chosen)
        << words << " | " << settings;
  }
}

TEST(ModernRuntimeSearch, ListsTheSourcesInOrderAndGivesEachHomeAVerdict) {
  ScratchFolder folder;
  Machine machine(folder, "cu.ms 17 a - jdk 17 a - jdk 17.0.9 a - temjre.32 21 x:sx - "
                          "user - u/b - user - u/a:c 9 jre 11 = - zulu z c:s8 25 "
                          "env - d:sJ 19 cu.tem 16 e:sx -");
  machine.sources.javaHome = L"\"" + machine.sources.javaHome + L"\"";
  folder.Write(L"u/file");
  // Per home: hive and view, where it was named (u: the user's folder), the name of its key or
  // folder, the verdict (0 admitted, 1 no home, 2 same home as earlier, 3 outside the version
  // range, 4 no VM library, 5 kind not wanted, 6 needs a paired program).
  const auto review = [&](const std::string& settings) {
    std::string lines;
    const LauncherSettings s = SettingsFrom(folder, settings);
    for (const ReviewedRuntime& r :
         ReviewModernRuntimes(ListModernRuntimeHomes(machine, machine.sources, s), s)) {
      const std::wstring& where =
          r.named.origin == NamedRuntimeHome::kUserFolder ? L"u" : r.named.where;
      lines += std::to_string(int(r.named.hive)) + std::to_string(r.named.use32BitView) + " " +
               ToUtf8(where) + " " + ToUtf8(r.named.versionName) + " " +
               std::to_string(int(r.verdict)) + "\n";
    }
    return lines;
  };
  EXPECT_EQ(review("Maximum Version=20"),
            "00 Software\\JavaSoft\\JDK\\17 17 0\n"
            "00 Software\\JavaSoft\\JDK\\17.0.9 17.0.9 2\n"
            "00 Software\\JavaSoft\\JRE\\11 11 1\n"
            "10 Software\\Eclipse Adoptium\\JDK\\16\\hotspot\\MSI 16 6\n"
            "10 Software\\Microsoft\\JDK\\17\\hotspot\\MSI 17 2\n"
            "00 Software\\Azul Systems\\Zulu\\z z 3\n"
            "00 JAVA_HOME d 0\n"
            "00 u a 0\n"
            "00 u b 0\n"
            "00 u file 4\n");
  // The JDK keys are not opened; the 32-bit view is read last, with a paired program.
  EXPECT_EQ(review("JVM Source=only_JRE\n[Application]\nPair Product=p"),
            "00 Software\\JavaSoft\\JRE\\11 11 1\n"
            "00 Software\\Azul Systems\\Zulu\\z z 0\n"
            "00 JAVA_HOME d 5\n"
            "00 u a 0\n"
            "00 u b 0\n"
            "00 u file 4\n"
            "01 Software\\Eclipse Adoptium\\JRE\\21\\hotspot\\MSI 21 0\n");
}

} // namespace
} // namespace launcher
