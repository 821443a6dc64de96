// The launch trace (ZL_TRACE): the lines that explain a choice and a refusal, where the trace
// goes, and that nothing is written without it.

#include "harness.h"

namespace launcher_test {
namespace {

using namespace testing;

const Environment kTrace = {{"ZL_TRACE", "1"}};

// The lines of a trace on standard error, whatever their times.
Text TraceHas(std::initializer_list<std::string> lines) {
  std::vector<Text> each;
  for (const std::string& line : lines) {
    each.push_back(ContainsRegex(" ms  " + line + "\n"));
  }
  return AllOfArray(each);
}

const Case kCases[] = {
    // Java 25 is out of range: refused, with the reason; Java 17 is chosen from the installed
    // runtimes; every phase is timed, and the options are listed in order.
    Case("ChoiceAndRefusal", Ini("Maximum Version=17.9\n"), {"x"}, 0, "<x>\n",
         TraceHas({"settings file \\{app\\}/tool.ini: read",
                   "  candidate 25[.0-9]*: refused, version out of range",
                   "  candidate 17[.0-9]*: admitted, \\{jdk17\\}/",
                   "runtime chosen: \\{jdk17\\}/lib/server/libjvm.so from the installed runtimes",
                   "environment ZL_JVM_HOME=\\{jdk17\\}",
                   "VM option -Djava.class.path=\\{app\\}/lib/fixtures.jar",
                   "VM option -Dsun.java.command=fixtures.App x", "VM option abort",
                   "VM option exit",
                   "main class fixtures/App through "
                   "LauncherHelper.checkAndLoadMain: loaded",
                   "main: static main\\(String\\[\\]\\)", "phase settings: [0-9.]+ ms",
                   "phase search: [0-9.]+ ms", "phase VM creation: [0-9.]+ ms",
                   "phase until main: [0-9.]+ ms", "main returned: exit code 0", "exit code 0"}),
         {}, kTrace),
    // A "JRE Path" without a VM library is passed over for the installed runtimes.
    Case("JrePathRefused", Ini("JRE Path=none\n"), {}, 0, "",
         TraceHas({"search \"JRE Path\" none/: no VM library of the kind asked",
                   "runtime chosen: .* from the installed runtimes"}),
         {}, kTrace),
    Case("NoRuntime", Ini("Minimum Version=99\n"), {}, 255, "",
         AllOf(TraceHas({"  candidate 25[.0-9]*: refused, version out of range",
                         "no runtime qualifies: exit code -1", "exit code -1"}),
               HasSubstr("https://adoptium.net/")),
         {}, kTrace),
    Case("SystemExit", Ini(""), {"exit", "3"}, 3, "",
         TraceHas({"the VM ends the process \\(System.exit or its own end\\): exit code 3"}), {},
         kTrace),
    // Unset or empty: nothing at all; a file that cannot be made: no trace, the same start.
    Case("Unset", Ini(""), {"x"}, 0, "<x>\n", ""),
    Case("Empty", Ini(""), {"x"}, 0, "<x>\n", "", {}, {{"ZL_TRACE", ""}}),
    Case("FileThatCannotBeMade", Ini(""), {"x"}, 0, "<x>\n", "", {},
         {{"ZL_TRACE", "{app}/no/such/folder/trace.log"}}),
};

INSTANTIATE_TEST_SUITE_P(Trace, LauncherTest, ValuesIn(kCases), CaseName);

// Any other value names a file, which each start appends to.
TEST(Trace, AppendsToTheNamedFile) {
  const App app("tool", LAUNCHER);
  app.Write("tool.ini", Ini("Maximum Version=17.9\n"));
  for (int round = 0; round < 2; ++round) {
    const launcher_test::Run run = app.Start({"x"}, {{"ZL_TRACE", "{app}/../trace.log"}});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "");
  }
  const std::string trace = app.Read("../trace.log");
  EXPECT_THAT(trace, ContainsRegex("runtime chosen: .*java-17-openjdk-amd64/lib/server/libjvm.so"));
  size_t ends = 0;
  for (size_t at = 0; (at = trace.find(" ms  exit code 0\n", at)) != std::string::npos; ++at) {
    ++ends;
  }
  EXPECT_EQ(ends, 2u) << trace;
}

} // namespace
} // namespace launcher_test
