// The launcher choosing among the runtimes installed on this machine, shipped beside it or named
// in its settings; the Missing-JRE message when none will do; a 32-bit runtime handed to the
// paired program.

#include <chrono>
#include <thread>

#include "harness.h"

namespace launcher_test {
namespace {

const Strings kWhich = {"prop", "java.specification.version", "env", "ZL_JVM_PATH"};
const std::string kVm = "../fake/lib/server/libjvm.so"; // where the launcher starts
const std::string kPaired = std::string("@copy:") + PAIRED_PROBE;
const Text kLoadedHere =
    testing::StartsWith("Failed to load Java VM library: " + kVm.substr(3) + ": ");

std::string Chosen(const std::string& version, const std::string& home) {
  return "<" + version + ">\n<" + home + "/lib/server/libjvm.so>\n";
}

std::string NotFound(const std::string& requirement) {
  return "The Java Runtime Environment (JRE) was not found. Please  download and install a JRE" +
         requirement + " from: https://adoptium.net/\n";
}

// An ELF header: class 1 (32-bit) or 2 (64-bit), machine 3 (x86) or 62 (x86-64).
std::string Elf(char elfClass, char machine) {
  return std::string("\177ELF", 4) + elfClass + "\1\1" + std::string(11, '\0') + machine + '\0';
}

const Case kCases[] = {
    Case("MaximumVersion17", Ini("Maximum Version=17\n"), kWhich, 0, Chosen("17", "{jdk17}"), ""),
    Case("AnyVersion", Ini("Minimum Version=any\n"), kWhich, 0, Chosen("25", "{jdk25}"), ""),
    Case("MinimumVersion25", Ini("Minimum Version=25\n"), kWhich, 0, Chosen("25", "{jdk25}"), ""),
    Case("PreferredInOrder", Ini("Preferred versions=9;17;25\n"), kWhich, 0,
         Chosen("17", "{jdk17}"), ""),
    // Installed runtimes since Java 9 have no jre folder: JREs, for "JVM Source".
    Case("JreOnly", Ini("JVM Source=only_JRE\n"), kWhich, 0, Chosen("25", "{jdk25}"), ""),
    Case("ServerVm", Ini("Maximum Version=17\nJVM Type=server\n"), kWhich, 0,
         Chosen("17", "{jdk17}"), ""),
    Case("JrePathWithoutVm", Ini("Maximum Version=17\nJRE Path=/nonexistent\n"), kWhich, 0,
         Chosen("17", "{jdk17}"), ""),
    // A shipped runtime comes first, whatever its version.
    Case("ShippedRuntime", Ini("Minimum Version=99\n"), kWhich, 0, Chosen("17", "{app}/jre64"), "",
         {{"jre64", "@link:{jdk17}"}}),
    // A relative "JRE Path" is found from the current folder, which "Override WorkingDir"
    // makes the launcher's before the search.
    Case("RelativeJrePath", Ini("Minimum Version=99\nJRE Path=rt\\17\n"), kWhich, 0,
         Chosen("17", "rt/17"), "", {{"../rt/17", "@link:{jdk17}"}}),
    Case("RelativeJrePathAfterOverrideWorkingDir",
         Ini("Minimum Version=99\nJRE Path=rt\\17\n", "Override WorkingDir=yes\n"), kWhich, 0,
         Chosen("17", "rt/17"), "", {{"rt/17", "@link:{jdk17}"}}),
    // The IBM rule does not hold a run on another vendor's runtime open.
    Case("FavorIbm", Ini("VM Provider=favor_ibm\n"), {"throw"}, 1, "", testing::_),

    Case("MinimumAboveAll", Ini("Minimum Version=99\n"), {}, 255, "",
         NotFound(" (minimum version 99.0)")),
    Case("ServerVmNamed", Ini("Minimum Version=99\nJVM Type=server\n"), {}, 255, "",
         NotFound(" with a server JVM (minimum version 99.0)")),
    Case("MaximumBelowAll", Ini("Minimum Version=1.4\nMaximum Version=1.5\n"), {}, 255, "",
         NotFound(" (version between 1.4 and 1.5)")),
    Case("EmptyMaximumAdmitsOnlyZero", Ini("Maximum Version=\n"), {}, 255, "",
         NotFound(" (latest version)")),
    Case("ExcludedVendor", Ini("VM Provider=ibm\n"), {}, 255, "", NotFound(" (latest version)")),
    // FIFOs where a runtime's files belong count as absent, and nothing waits on one.
    Case("Fifos", Ini("Minimum Version=99\nJRE Path=fifo\n"), {}, 255, "",
         NotFound(" (minimum version 99.0)"),
         {{"../fifo/lib/server/libjvm.so", "@fifo"},
          {"../fifo/lib/libjava.so", "@fifo"},
          {"../fifo/release", "@fifo"},
          {"jre64/lib/server/libjvm.so", "@fifo"},
          {"jre64/lib/libjava.so", "@fifo"},
          {"lib/server/libjvm.so", "@fifo"},
          {"lib/libjava.so", "@fifo"}}),

    // Loaded here, not handed on: no paired program, or not a 32-bit x86 image.
    Case("X86WithoutPairedProgram", Ini("JRE Path=fake\n"), {}, 255, "", kLoadedHere,
         {{kVm, Elf(1, 3)}}),
    Case("SixtyFourBit", Ini("JRE Path=fake\n", "Pair Product=tool32\n"), {}, 255, "", kLoadedHere,
         {{kVm, Elf(2, 62)}, {"../tool32", kPaired}}),
    Case("TruncatedHeader", Ini("JRE Path=fake\n", "Pair Product=tool32\n"), {}, 255, "",
         kLoadedHere, {{kVm, Elf(1, 3).substr(0, 19)}, {"../tool32", kPaired}}),
    Case("Empty", Ini("JRE Path=fake\n", "Pair Product=tool32\n"), {}, 255, "", kLoadedHere,
         {{kVm, ""}, {"../tool32", kPaired}}),
    Case("PairedProgramThatCannotStart",
         Ini("JRE Path=fake\n", "Pair Product=absent\nPair Return Code=yes\n"), {}, 0, "", "",
         {{kVm, Elf(1, 3)}}),
};

INSTANTIATE_TEST_SUITE_P(ThisMachine, LauncherTest, testing::ValuesIn(kCases), CaseName);

// The paired program gets the launcher's own argument vector. With "Pair Return Code" the
// launcher waits for it and ends with its code; without, it ends with 0 at once.
TEST(PairedRelaunch, HandsOnTheArguments) {
  for (const std::string wait : {"Pair Return Code=yes\n", ""}) {
    const App app("tool", LAUNCHER);
    app.Write("tool.ini", Ini("JRE Path=fake\n", "Pair Product=tool32\n" + wait));
    app.Write(kVm, Elf(1, 3));
    app.Write("../tool32", kPaired);
    app.Write("../paired-exit-code", "7");
    EXPECT_THAT(app.Start({"one", "", "two words"}),
                testing::AllOf(testing::Field(&Run::code, wait.empty() ? 0 : 7),
                               testing::Field(&Run::err, "")));
    for (int i = 0; i < 1200 && app.Read("../paired-report").empty(); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(app.Read("../paired-report"),
              app.Path("tool") + std::string("\0one\0\0two words\0", 16));
  }
}

} // namespace
} // namespace launcher_test
