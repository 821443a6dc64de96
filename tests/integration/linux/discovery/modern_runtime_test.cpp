// Today's runtimes: JAVA_HOME and the user's own runtime folders (~/.sdkman/candidates/java,
// ~/.jdks), looked at only when the runtime folders of the system have nothing to offer. Every
// installed runtime has no "jre" folder, so the system's folders list it as a JRE: with
// "JVM Source=only_JDK" they offer nothing, while the same runtimes named by JAVA_HOME or a
// user's folder are JDKs (they hold the compiler). The user's folders hold links to the
// installed runtimes; the home folder is the launcher's own here.

#include "harness.h"

namespace launcher_test {
namespace {

const Strings kWhich = {"prop", "java.specification.version", "env", "ZL_JVM_PATH"};
const std::string kJdkOnly = "JVM Source=only_JDK\n";
const Environment kHome = {{"HOME", "{app}"}};
const Layout kJdks = {{".jdks/openjdk-17", "@link:{jdk17}"}, {".jdks/temurin-25", "@link:{jdk25}"}};

std::string Chosen(const std::string& version, const std::string& home) {
  return "<" + version + ">\n<" + home + "/lib/server/libjvm.so>\n";
}

std::string NotFound(const std::string& requirement) {
  return "The Java Runtime Environment (JRE) was not found. Please  download and install a JRE" +
         requirement + " from: https://adoptium.net/\n";
}

Environment With(Environment environment, const std::string& name, const std::string& value) {
  environment[name] = value;
  return environment;
}

const Case kCases[] = {
    // JAVA_HOME alone; ignored while the system's folders offer a runtime; "No" turns it off.
    Case("JavaHome", Ini(kJdkOnly), kWhich, 0, Chosen("17", "{jdk17}"), "", {},
         {{"JAVA_HOME", "{jdk17}"}}),
    Case("JavaHomeAfterTheSystemsRuntimes", Ini(""), kWhich, 0, Chosen("25", "{jdk25}"), "", {},
         {{"JAVA_HOME", "{jdk17}"}}),
    Case("JavaHomeTurnedOff", Ini(kJdkOnly + "Search Modern Runtimes=no\n"), {}, 255, "",
         NotFound(" (latest version)"), {}, {{"JAVA_HOME", "{jdk17}"}}),
    Case("JavaHomeWithoutRuntime", Ini(kJdkOnly), {}, 255, "", NotFound(" (latest version)"), {},
         {{"JAVA_HOME", "{app}"}}),
    // The user's folders, ranked with JAVA_HOME as one list.
    Case("UserFolder", Ini(kJdkOnly), kWhich, 0, Chosen("25", "{app}/.jdks/temurin-25"), "", kJdks,
         kHome),
    Case("SdkmanFolder", Ini(kJdkOnly), kWhich, 0,
         Chosen("17", "{app}/.sdkman/candidates/java/17.0.15-debian"), "",
         {{".sdkman/candidates/java/17.0.15-debian", "@link:{jdk17}"},
          {".sdkman/candidates/java/current", "@link:{jdk17}"}},
         kHome),
    Case("UserFolderBelowMaximum", Ini(kJdkOnly + "Maximum Version=17\n"), kWhich, 0,
         Chosen("17", "{app}/.jdks/openjdk-17"), "", kJdks, kHome),
    Case("JavaHomeBelowUserFolder", Ini(kJdkOnly), kWhich, 0,
         Chosen("25", "{app}/.jdks/temurin-25"), "", {{".jdks/temurin-25", "@link:{jdk25}"}},
         With(kHome, "JAVA_HOME", "{jdk17}")),
    Case("JavaHomeInRange", Ini(kJdkOnly + "Minimum Version=11\nMaximum Version=21\n"), kWhich, 0,
         Chosen("17", "{jdk17}"), "", {{".jdks/temurin-25", "@link:{jdk25}"}},
         With(kHome, "JAVA_HOME", "{jdk17}")),
    Case("PreferredJavaHome", Ini(kJdkOnly + "Preferred versions=17\n"), kWhich, 0,
         Chosen("17", "{jdk17}"), "", {{".jdks/temurin-25", "@link:{jdk25}"}},
         With(kHome, "JAVA_HOME", "{jdk17}")),
    Case("NoneInRange", Ini(kJdkOnly + "Minimum Version=26\n"), {}, 255, "",
         NotFound(" (minimum version 26.0)"), kJdks, With(kHome, "JAVA_HOME", "{jdk17}")),
};

INSTANTIATE_TEST_SUITE_P(ModernRuntimes, LauncherTest, testing::ValuesIn(kCases), CaseName);

} // namespace
} // namespace launcher_test
