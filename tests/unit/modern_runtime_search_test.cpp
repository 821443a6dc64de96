#include "jvm/discovery/modern_runtime_search.h"

#include <sstream>
#include <tuple>

#include <gtest/gtest.h>

#include "base/platform.h"
#include "base/text.h"
#include "jvm/discovery/jvm_layout.h"
#include "settings/settings_reader.h"
#include "unit/support/image_bytes.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

using namespace std::string_literals;
using testing::ScratchFolder;

// The source words of Machine, in the order of ModernRegistryKeys.
const std::vector<std::string> kKeyWords = {"jdk",        "jre",   "tem",      "temjre", "eclipse",
                                            "eclipsejre", "adopt", "adoptjre", "ms",     "zulu"};

// A runtime home: the VM libraries of the kinds by letter (s c l h j, as in JvmKind) at their
// first names, with x a 32-bit x86 image, J the Java compiler, 8 all in its "jre" folder; a
// release file when release is not "-".
std::wstring MakeHome(const ScratchFolder& folder, const std::wstring& home,
                      const std::string& kinds, const std::string& release) {
  const std::wstring base = home + (kinds.find('8') != std::string::npos ? L"/jre/" : L"/");
  const std::string image = test::HostVmImage(kinds.find('x') != std::string::npos);
  for (char kind : kinds) {
    const size_t index = "sclhj"s.find(kind);
    if (index != std::string::npos) {
      folder.Write(base + ReplaceAll(JvmLibraryNames(JvmKind(index)).front(), L'\\', L'/'), image);
    }
  }
  if (kinds.find('J') != std::string::npos) {
    folder.Write(home + L"/" + ReplaceAll(JdkCompilerName(), L'\\', L'/'));
  }
  if (release != "-") {
    folder.Write(home + L"/release", "IMPLEMENTOR=\"X\"\nJAVA_VERSION=\"" + release + "\"\n");
  }
  return folder.MakeFolder(home);
}

// A registry in memory with JAVA_HOME and one user's folder (u) beside it, written as words in
// fours: "source name home release".
// - source: old (the old JavaSoft JRE key), a word of kKeyWords, "cu." before it for
//   HKEY_CURRENT_USER, ".32" after it for the 32-bit view; env: JAVA_HOME (name unused); user:
//   an entry of u (home u/NAME).
// - home: a folder made by MakeHome, written home:kinds (kinds "s" when not given); "-" for no
//   value, "=" for an empty one.
struct Machine : RuntimeRegistry {
  struct Value {
    RegistryHive hive;
    bool x86;
    std::wstring key, name;
    std::optional<std::wstring> text;
  };
  std::vector<Value> values;
  ModernRuntimeSources sources;

  Machine(const ScratchFolder& folder, const std::string& words) {
    sources.userRuntimeFolders = {folder.Path(L"u")};
    std::istringstream in(words);
    for (std::string source, name, home, release; in >> source >> name >> home >> release;) {
      const size_t colon = home.find(':');
      const std::string kinds = colon == std::string::npos ? "s" : home.substr(colon + 1);
      home = home.substr(0, colon);
      std::optional<std::wstring> text;
      if (home == "=") {
        text = L"";
      } else if (home != "-") {
        text = MakeHome(folder, FromUtf8(home), kinds, release);
      }
      const bool currentUser = source.rfind("cu.", 0) == 0;
      const bool x86 = source.size() > 3 && source.compare(source.size() - 3, 3, ".32") == 0;
      source = source.substr(currentUser ? 3 : 0);
      source = source.substr(0, source.size() - (x86 ? 3 : 0));
      const RegistryHive hive =
          currentUser ? RegistryHive::kCurrentUser : RegistryHive::kLocalMachine;
      if (source == "env") {
        sources.javaHome = text.value_or(L"");
      } else if (source == "old") {
        values.push_back({hive, x86, kJavaSoftJreKey + FromUtf8(name), L"JavaHome", text});
      } else if (source != "user") {
        const auto word = std::find(kKeyWords.begin(), kKeyWords.end(), source);
        EXPECT_NE(word, kKeyWords.end()) << source;
        const ModernRegistryKey& key = ModernRegistryKeys()[word - kKeyWords.begin()];
        values.push_back({hive, x86, key.path + FromUtf8(name) + key.valueKey,
                          text ? key.valueName : L"Other", text});
      }
    }
  }
  std::vector<std::wstring> ListSubkeys(RegistryHive hive, const std::wstring& key,
                                        bool x86) override {
    std::vector<std::wstring> names;
    for (const Value& value : values) {
      if (value.hive == hive && value.x86 == x86 && value.key.rfind(key, 0) == 0) {
        const size_t end = value.key.find(L'\\', key.size());
        const std::wstring name =
            value.key.substr(key.size(), end == std::wstring::npos ? end : end - key.size());
        if (std::find(names.begin(), names.end(), name) == names.end()) {
          names.push_back(name);
        }
      }
    }
    return names;
  }
  std::optional<std::wstring> QueryText(RegistryHive hive, const std::wstring& key,
                                        const std::wstring& name, bool x86) override {
    for (const Value& value : values) {
      if (value.hive == hive && value.x86 == x86 && value.key == key && value.name == name) {
        return value.text;
      }
    }
    return std::nullopt;
  }
  std::vector<std::wstring> ListVersionKeys(const std::wstring& vendor, bool x86) override {
    return ListSubkeys(RegistryHive::kLocalMachine, vendor, x86);
  }
  std::optional<std::wstring> QueryJavaHome(const std::wstring& vendor, const std::wstring& name,
                                            bool x86) override {
    return QueryText(RegistryHive::kLocalMachine, vendor + name, L"JavaHome", x86);
  }
};

// Settings as the file writes them, any version admitted unless they bound it.
LauncherSettings SettingsFrom(const ScratchFolder& folder, const std::string& lines) {
  LauncherSettings s;
  const std::string any = lines.find("Maximum") == std::string::npos ? "Maximum Version=any\n" : "";
  ReadSettings(SettingsReader(folder.Write(
                   L"app.ini", "[Java Runtime Environment]\nMain Class=M\n" + any + lines)),
               L"", s);
  return s;
}

// The whole search on a machine: "home/" of the VM library taken (with " 32" when it is run
// through the paired program, " ibm" when it is IBM's), or "-".
std::string Chosen(const std::string& words, const std::string& settings) {
  ScratchFolder folder;
  Machine machine(folder, words);
  const LauncherSettings s = SettingsFrom(folder, settings);
  const std::optional<RuntimeSearchResult> found =
      SearchForRuntime(s, std::nullopt, machine, machine.sources);
  if (!found) {
    return "-";
  }
  std::wstring home = RuntimeHome(found->jvmDllPath);
  EXPECT_EQ(home.rfind(folder.path(), 0), 0u) << ToUtf8(home);
  home = ReplaceAll(home.substr(folder.path().size() + 1), kPathSeparator, L'/');
  return ToUtf8(home) + "/" + (found->relaunchPaired ? " 32" : "") +
         (found->ibmRuntime ? " ibm" : "");
}

TEST(ModernRuntimeSearch, FindsEachSourceAlone) {
  for (const auto& [words, chosen] : std::initializer_list<std::pair<std::string, std::string>>{
           {"jdk 17 a -", "a/"},
           {"jre 17.0.9 a -", "a/"},
           {"tem 17.0.9.9 a -", "a/"},
           {"temjre 17 a -", "a/"},
           {"eclipse 11 a -", "a/"},
           {"eclipsejre 11 a -", "a/"},
           {"adopt 11 a -", "a/"},
           {"adoptjre 11 a -", "a/"},
           {"ms 21.0.1 a -", "a/"},
           {"zulu zulu-21 a -", "a/"},
           {"cu.tem 17 a -", "a/"}, // a per-user install
           {"cu.zulu any a 21", "a/"},
           {"env - a -", "a/"},
           {"user a u/jdk-21 -", "u/jdk-21/"},
           {"tem 8 a:s8 1.8.0_392", "a/jre/"}, // a Java 8 JDK keeps its VM in its jre folder
           {"tem 17 a:c -", "a/"},
           {"ms 21 a:- -", "-"},  // no VM library
           {"tem 21 - -", "-"},   // no "Path" value
           {"tem 21 = -", "-"},   // an empty one
           {"tem.32 17 a -", "-"} // the 32-bit view needs a paired program
       }) {
    EXPECT_EQ(Chosen(words, ""), chosen) << words;
  }
}

TEST(ModernRuntimeSearch, FiltersAndRanksAllSourcesAsOneList) {
  const std::string three = "tem 11 a - ms 17 b - zulu zulu-21 c - ";
  for (const auto& [words, settings, chosen] :
       std::initializer_list<std::tuple<std::string, std::string, std::string>>{
           {three, "", "c/"},
           {three, "Maximum Version=17", "b/"},
           {three, "Minimum Version=12\nMaximum Version=20", "b/"},
           {three, "Maximum Version=11", "a/"},
           {three, "Minimum Version=22", "-"},
           {three, "Preferred versions=9;11", "a/"},
           // Temurin beside Zulu, by the versions in their release files over the key names.
           {"tem 21 a 17.0.9 zulu zulu-17 b 21.0.1", "", "b/"},
           {"tem 17 a - tem 17.0.9.9 b -", "", "b/"},
           {"tem 17 a 17.0.10 tem 17.0.9.9 b -", "", "a/"},
           {"cu.tem 21 a - tem 17 b - env - c:s 19", "", "a/"}, // HKCU and JAVA_HOME among them
           {"cu.tem 21 a - tem 17 b - env - c:s 19", "Maximum Version=20", "c/"},
           // Folder names are the versions of homes without a release file.
           {"user - u/jdk-17.0.2+8 - user - u/jdk-21 -", "", "u/jdk-21/"},
           {"user - u/jdk-17.0.2+8 - user - u/jdk-21 -", "Maximum Version=17", "u/jdk-17.0.2+8/"},
           // "JVM Source": JavaSoft's JDK key and the JDK keys are JDKs; a Zulu home or
           // JAVA_HOME is one when it holds the compiler.
           {"jdk 21 a - jre 17 b -", "JVM Source=only_JRE", "b/"},
           {"jre 21 a - jdk 17 b -", "JVM Source=favor_JDK", "b/"},
           {"jre 21 a - jdk 17 b -", "JVM Source=only_JDK", "b/"},
           {"zulu z21 a:sJ - zulu z17 b -", "JVM Source=only_JRE", "b/"},
           {"env - a:sJ 21 tem 17 b -", "JVM Source=favor_JDK", "a/"},
           {"env - a:s 21 tem 17 b -", "JVM Source=favor_JRE", "a/"},
           {"env - a:s 21 tem 17 b -", "JVM Source=favor_JDK", "b/"},
           // "JVM Type".
           {"tem 21 a:c - tem 17 b -", "JVM Type=server", "b/"},
           {"tem 21 a:c - tem 17 b -", "JVM Type=favor_server", "b/"},
           {"tem 21 a:cs - tem 17 b -", "JVM Type=favor_server", "a/"},
           // "VM Provider": the default vendor's runtimes.
           {"tem 21 a -", "VM Provider=ibm", "-"},
           {"tem 21 a -", "VM Provider=jrockit", "-"},
           {"tem 21 a -", "VM Provider=favor_ibm", "a/"},
           // A 32-bit runtime: through the paired program, and only when no other is admitted.
           {"tem.32 17 a:sx -", "[Application]\nPair Product=p", "a/ 32"},
           {"tem.32 21 a:sx - tem 11 b -", "[Application]\nPair Product=p", "b/"},
           {"env - a:sx 21", "", "-"},
           {"env - a:sx 21", "[Application]\nPair Product=p", "a/ 32"},
           {"cu.tem 21 a:sx - ms 17 b -", "[Application]\nPair Product=p", "b/"},
       }) {
    EXPECT_EQ(Chosen(words, settings), chosen) << words << " | " << settings;
  }
}

TEST(ModernRuntimeSearch, ComesOnlyAfterEveryOtherSourceAndCanBeTurnedOff) {
  // An old-style key wins over every newer runtime, whatever their versions.
  EXPECT_EQ(Chosen("tem 25 a - old 1.8 b:c - env - c 21", ""), "b/");
  EXPECT_EQ(Chosen("tem 25 a - old 1.8 b:c - env - c 21", "Minimum Version=9"), "a/");
  for (const std::string value : {"No", "no", "NO"}) {
    EXPECT_EQ(Chosen("tem 25 a - env - c 21", "Search Modern Runtimes=" + value), "-") << value;
  }
  for (const std::string value : {"Yes", "", "0", "n", "No!"}) {
    EXPECT_EQ(Chosen("tem 25 a -", "Search Modern Runtimes=" + value), "a/") << value;
  }
  // A home whose release file names IBM hosts as IBM's runtime.
  ScratchFolder folder;
  Machine machine(folder, "env - a 21");
  folder.Write(L"a/release", "IMPLEMENTOR=\"IBM Corporation\"\n");
  const std::optional<RuntimeSearchResult> found =
      SearchForRuntime(SettingsFrom(folder, ""), std::nullopt, machine, machine.sources);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->source, RuntimeSource::kModernRuntime);
  EXPECT_TRUE(found->ibmRuntime);
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
