// The VM hosted in the launcher's process, on each installed runtime (named by "JRE Path"): what
// main receives and sees, how a run ends, and the failures of binding the VM library and
// creating the VM. The cases with a HOSTING_PROBE_* variable run vm_host_probe.

#include <ctime>
#include <tuple>

#include "harness.h"

namespace launcher_test {
namespace {

using namespace testing;

// U+007F, U+0800, U+0080, U+FFFF, U+07FF, U+10000, U+10FFFF: where encodings change length,
// each after one of another length.
const std::string kWord =
    "\x7F\xE0\xA0\x80\xC2\x80\xEF\xBF\xBF\xDF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF";
const std::string kNoVm = "JNI exception: failed to create the Java VM\nReason: ";
const Strings kClassPath = {"prop", "java.class.path", "res", "planted.txt"};
const Layout kPlanted = {{"../planted.txt", ""}}; // in the folder the application starts in
const Environment kStack = {{"HOSTING_PROBE_REPORT_STACK", "1"}};
const Environment kNoBootLoader = {{"HOSTING_PROBE_NO_BOOT_LOADER", "1"}};

std::string Hosted(const std::string& runtime = "", const std::string& application = "",
                   const std::string& classPath = "lib\\*.jar") {
  return Ini(runtime + "JRE Path={home}\n", application, classPath);
}

const Case kCases[] = {
    Case("ArgumentsThenCmdTokens", Hosted("", "Cmd=tail \"c d\" %WORD%\n"),
         {"with blank", "", "quotes\"in'side", kWord, "-nosplash"}, 0,
         "<with blank>\n<>\n<quotes\"in'side>\n<" + kWord + ">\n<-nosplash>\n<tail>\n<c d>\n<x>\n",
         "", {}, {{"WORD", "x"}}),
    // On the class path only what the settings name, and no separator after the last entry.
    Case("ClassPathForms", Hosted("", "", "lib\\*.jar;\\lib\\fixtures.jar;lib/fixtures.jar"),
         kClassPath, 0,
         "<{app}/lib/fixtures.jar:{app}/lib/fixtures.jar:{app}/lib/fixtures.jar>\n<absent>\n", "",
         kPlanted),
    Case("ClassPathAbsoluteEmptyUnmatchedExpandedAndDot",
         Hosted("", "", "/nowhere/x.jar;;lib\\none*.jar;%JARS%\\*;."), kClassPath, 0,
         "</nowhere/x.jar:{app}/lib/fixtures.jar:.>\n<found>\n", "", kPlanted,
         {{"JARS", "{app}/lib"}}),
    Case("ClassPathEmpty", Hosted("", "", "\\missing.jar"), {}, 255, "",
         "Java Class Path was not specified in INI file.\n"),
    // Half this machine's memory, within 64 and 100 MiB: 100 MiB.
    Case("VmParameters",
         Hosted("Virtual Machine Parameters=-Dp.v=\"a b\"  -Xmx50:64:100P -Dp.e=%WORD%\n"),
         {"prop", "p.v", "prop", "p.e", "mem"}, 0, MatchesRegex("<a b>\n<y>\n<10[1-4][0-9]{6}>\n"),
         "", {}, {{"WORD", "y"}}),
    Case("MainThreadStackOfTheRuntime", Hosted(), {}, 0, "", "main thread stack: 1048576\n", {},
         kStack),
    Case("MainThreadStackFromXss", Hosted("Virtual Machine Parameters=-Xss3m\n"), {}, 0, "",
         "main thread stack: 3145728\n", {}, kStack),
    Case("SystemExit", Hosted(), {"exit", "200"}, 200, "", ""),
    // As with the java command: 1 once the VM is destroyed, unless a thread that goes on ends
    // the VM with a code of its own; a daemon thread does not hold the run open.
    Case("UncaughtException", Hosted(), {"daemon", "4", "throw"}, 1, "",
         HasSubstr("Exception in thread \"main\" java.lang.IllegalStateException: boom")),
    Case("UncaughtExceptionThenSystemExit", Hosted(), {"later", "3", "throw"}, 3, "",
         HasSubstr("IllegalStateException")),
    // The trace arrives unchanged even where the VM's character set is plain ASCII.
    Case("FailureCheck", Hosted("", "Failure Check=yes\n"), {"throw"}, 255, "",
         StartsWith("java.lang.IllegalStateException: boom " + kWord +
                    "\n\tat fixtures.App.main(App.java:"),
         {}, {{"LC_ALL", "C"}, {"LANG", "C"}}),
    // On IBM's runtime (by its folder's name or its release file) the main thread waits for the
    // VM to end.
    Case("IbmRuntime", Hosted("JRE Path=ibm-java\n"), {"daemon", "4"}, 4, "", "",
         {{"../ibm-java/lib", "@link:{home}/lib"}}),
    Case("IbmRuntimeByRelease", Hosted("JRE Path=j9\n"), {"daemon", "4"}, 4, "", "",
         {{"../j9/lib", "@link:{home}/lib"},
          {"../j9/release", "IMPLEMENTOR=\"IBM Corporation\"\n"}}),
    // The runtime's launcher helper reports a class it cannot run and ends the VM itself;
    // without the boot loader's export, FindClass and GetStaticMethodID are asked.
    Case("MissingMainClass", Hosted("Main Class=fixtures.Missing\n"), {}, 1, "",
         HasSubstr("Error: Could not find or load main class fixtures.Missing")),
    Case("MissingMainClassWithoutBootLoader", Hosted("Main Class=fixtures.Missing\n"), {}, 255, "",
         AllOf(HasSubstr("java.lang.NoClassDefFoundError: fixtures/Missing"),
               EndsWith("Could not find the main class fixtures/Missing.\n")),
         {}, kNoBootLoader),
    Case("NoMainMethod", Hosted("Main Class=fixtures.NoMain\n"), {}, 1, "",
         HasSubstr("Error: Main method not found in class fixtures.NoMain")),
    // The VM leaves the failed lookup pending: it is described, and message 216 stays unshown.
    Case("NoMainMethodWithoutBootLoader", Hosted("Main Class=fixtures.NoMain\n"), {}, 255, "",
         AllOf(StartsWith("Exception in thread \"main\" java.lang.NoSuchMethodError: "),
               Not(HasSubstr("No main method found"))),
         {}, kNoBootLoader),
    // The JDK's tools name the application by its main class and arguments, unless the user's
    // own sun.java.command says otherwise.
    Case("JpsShowsTheCommand", Hosted(), {"jps", "a b"}, 0, "<fixtures.App jps a b>\n<a b>\n", ""),
    Case("JpsShowsTheUsersCommand", Hosted("Virtual Machine Parameters=-Dsun.java.command=Mine\n"),
         {"jps"}, 0, "<Mine>\n", ""),
    // JNI_EINVAL for an unknown -XX option, JNI_ERR for others.
    Case("UnknownXxOption", Hosted("Virtual Machine Parameters=-XX:+NoSuchOption\n"), {}, 255, "",
         EndsWith(kNoVm + "invalid arguments.\n")),
    Case("UnknownOption", Hosted("Virtual Machine Parameters=-Xnosuchoption\n"), {}, 255, "",
         EndsWith(kNoVm + "unknown.\n")),
    Case("MissingVmLibrary", Hosted(), {}, 255, "",
         "Failed to load Java VM library: {app}/none/libjvm.so: No such file or directory.\n", {},
         {{"HOSTING_PROBE_JVM", "{app}/none/libjvm.so"}}),
    Case("VmLibraryWithoutItsDependency", Hosted(), {}, 255, "",
         "Failed to load Java VM library: {home}/lib/libzip.so: libjvm.so: cannot open shared "
         "object file: No such file or directory.\n",
         {}, {{"HOSTING_PROBE_JVM", "{home}/lib/libzip.so"}}),
    Case("NotTheVmLibrary", Hosted(), {}, 255, "",
         "The Java VM library {home}/lib/libjli.so does not export JNI_CreateJavaVM.\n", {},
         {{"HOSTING_PROBE_JVM", "{home}/lib/libjli.so"}}),
    // Cut as by a copy that stopped half-way: the dynamic loader would fault on it.
    Case("TruncatedVmLibrary", Hosted("JRE Path=cut\n"), {}, 255, "",
         "Failed to load Java VM library: cut/lib/server/libjvm.so: truncated: its headers "
         "describe more than the file holds.\n",
         {{"../cut/lib/server/libjvm.so", "@cut:{home}/lib/server/libjvm.so"}}),
    Case("Environment", Hosted("Library Path=native\\a;native\\b\nSystem Path=/sys/x\n"),
         {"env", "ZL_JVM_PATH", "env", "ZL_JVM_HOME", "env", "PATH", "prop", "java.library.path"},
         0,
         "<{home}/lib/server/libjvm.so>\n<{home}>\n</sys/x:/usr/bin:/bin:{home}/bin>\n"
         "<native/a:native/b:{app}/:.:/usr/bin:/bin:{home}/lib>\n",
         "", {}, {{"PATH", "/usr/bin:/bin"}}),
};

class HostingTest : public testing::TestWithParam<std::tuple<std::string, Case>> {};

TEST_P(HostingTest, Runs) {
  Check(std::get<1>(GetParam()), std::get<0>(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Runtimes, HostingTest,
                         testing::Combine(testing::Values(kJdk17, kJdk25),
                                          testing::ValuesIn(kCases)),
                         [](const auto& info) {
                           return (std::get<0>(info.param) == kJdk17 ? "Jdk17_" : "Jdk25_") +
                                  std::string(std::get<1>(info.param).name);
                         });

// System.out and System.err sent to files, named from the launcher's folder here.
Run StartStreams(const App& app, const std::string& application) {
  app.Write("tool.ini", Ini("", "Override WorkingDir=yes\n" + application));
  return app.Start({"streams"});
}

TEST(Streams, GoToTheirFiles) {
  // System.out replaces the file, System.err appends to it: a stream each.
  const App both("tool", LAUNCHER);
  both.Write("both.log", "old\n");
  EXPECT_THAT(StartStreams(both, "Output File=both.log\nError File=both.log\nError Append=yes\n"),
              AllOf(Field(&Run::code, 0), Field(&Run::out, ""), Field(&Run::err, "")));
  EXPECT_EQ(both.Read("both.log"), "to out\nto err\n");

  // Both names from one moment, in folders made on the way.
  const App named("tool", LAUNCHER);
  EXPECT_EQ(StartStreams(named, "Output File=logs\\new\\%yyyyHHmmssL%.out\n"
                                "Error File=logs\\new\\%yyyyHHmmssL%.err\n")
                .code,
            0);
  const Strings files = named.Files(); // lib, lib/fixtures.jar, logs, logs/new, 2 logs, tool*
  ASSERT_EQ(files.size(), 8u) << PrintToString(files);
  const std::time_t now = std::time(nullptr);
  const std::string year = std::to_string(1900 + std::localtime(&now)->tm_year);
  EXPECT_THAT(files[4], MatchesRegex("logs/new/" + year + "[0-9]{7,9}\\.err"));
  EXPECT_EQ(files[5], files[4].substr(0, files[4].size() - 3) + "out");
  EXPECT_EQ(named.Read(files[5]), "to out\n");

  // System.out to a file that cannot be opened: described on the error stream as it was then,
  // System.out stays; System.err still goes to its file.
  const App folder("tool", LAUNCHER);
  EXPECT_THAT(StartStreams(folder, "Output File=lib\nError File=err.log\n"),
              AllOf(Field(&Run::out, "to out\n"),
                    Field(&Run::err, HasSubstr("java.io.FileNotFoundException: lib"))));
  EXPECT_EQ(folder.Read("err.log"), "to err\n");
}

} // namespace
} // namespace launcher_test
