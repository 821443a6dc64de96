// The forms of main: on Java 25 a static main without arguments and instance mains run as the
// runtime's own java command runs them; Java 17 refuses them with its own words. Each class is
// started by the launcher and by that runtime's java, and both must end alike.

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "harness.h"

namespace launcher_test {
namespace {

using namespace testing;

struct Form {
  const char* name;
  const char* mainClass;
  int code17, code25;
  Text out17, out25, err25;
};

void PrintTo(const Form& form, std::ostream* out) {
  *out << form.name;
}

const std::string kNotFound = "Error: Main method not found in class fixtures.";

const Form kForms[] = {
    {"StaticNoArguments", "StaticNoArguments", 1, 0, "", "<static main()>\n", ""},
    {"InstanceWithArguments", "InstanceWithArguments", 1, 0, "", "<made main(a b,c)>\n", ""},
    {"InstanceNoArguments", "InstanceNoArguments", 1, 0, "", "<constructed>\n<instance main()>\n",
     ""},
    {"InstanceConstructorThrows", "InstanceConstructorThrows", 1, 1, "", "",
     HasSubstr("java.lang.IllegalStateException: in constructor")},
    {"NoMain", "NoMain", 1, 1, "", "", StartsWith(kNotFound + "NoMain")},
    {"Classic", "App", 0, 0, "<a b>\n<c>\n", "<a b>\n<c>\n", ""},
};

std::string ReadFile(const std::string& path) {
  std::ostringstream bytes;
  bytes << std::ifstream(path).rdbuf();
  return bytes.str();
}

// The runtime's java with the fixtures on the class path, in the application's folder.
launcher_test::Run StartJava(const App& app, const std::string& home,
                             const std::string& mainClass) {
  const std::string command = "cd '" + app.Path("") + "' && timeout -s KILL 120 " + home +
                              "/bin/java -cp lib/fixtures.jar fixtures." + mainClass +
                              " 'a b' c </dev/null >java.out 2>java.err";
  const int status = std::system(command.c_str());
  launcher_test::Run run{WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
                         ReadFile(app.Path("java.out")), ReadFile(app.Path("java.err"))};
  std::remove(app.Path("java.out").c_str());
  std::remove(app.Path("java.err").c_str());
  return run;
}

class MainFormTest : public testing::TestWithParam<std::tuple<std::string, Form>> {};

TEST_P(MainFormTest, RunsAsJavaRunsIt) {
  const auto& [home, form] = GetParam();
  const bool java25 = home == kJdk25;
  const App app("tool", LAUNCHER, home);
  app.Write("tool.ini",
            Ini("JRE Path={home}\nMain Class=fixtures." + std::string(form.mainClass) + "\n"));
  const launcher_test::Run launcher = app.Start({"a b", "c"});
  EXPECT_THAT(launcher, AllOf(Field("code", &Run::code, java25 ? form.code25 : form.code17),
                              Field("out", &Run::out, java25 ? form.out25 : form.out17)));
  if (java25) {
    EXPECT_THAT(launcher.err, form.err25);
  } else if (form.code17 != 0) {
    EXPECT_THAT(launcher.err, StartsWith(kNotFound + form.mainClass));
  }
  const launcher_test::Run java = StartJava(app, home, form.mainClass);
  EXPECT_EQ(launcher.code, java.code);
  EXPECT_EQ(launcher.out, java.out);
  // The java command names its own thread "main" too; only the frames of the launch differ.
  EXPECT_EQ(launcher.err.substr(0, launcher.err.find("\tat")),
            java.err.substr(0, java.err.find("\tat")));
}

INSTANTIATE_TEST_SUITE_P(Runtimes, MainFormTest, Combine(Values(kJdk17, kJdk25), ValuesIn(kForms)),
                         [](const auto& info) {
                           return (std::get<0>(info.param) == kJdk17 ? "Jdk17_" : "Jdk25_") +
                                  std::string(std::get<1>(info.param).name);
                         });

} // namespace
} // namespace launcher_test
