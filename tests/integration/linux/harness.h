#pragma once

// The harness of the Linux integration tests. An application is laid out as a user ships it:
// the launcher (or the test host, hosting/vm_host_probe) copied under the application's name
// into my.apps/ of a fresh folder, beside lib/fixtures.jar and the files of the case. Started in
// that fresh folder, it is judged by exit code, output and the files it leaves, and killed past
// a generous bound. Placeholders {app} (the launcher's folder), {home} (the runtime under test),
// {jdk17} and {jdk25} are filled in in settings, files, arguments and environment, and put back
// in place of those paths in what the program printed.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include <gmock/gmock.h>

namespace launcher_test {

inline const std::string kJdk17 = "/usr/lib/jvm/java-17-openjdk-amd64";
inline const std::string kJdk25 = "/usr/lib/jvm/temurin-25-jdk-amd64";

using Strings = std::vector<std::string>;
using Layout = std::map<std::string, std::string>; // relative path: content
using Environment = std::map<std::string, std::string>;
using Text = testing::Matcher<const std::string&>;

struct Run {
  int code; // the exit code; 128 + the signal that ended the program, 137 past the bound
  std::string out, err;
};
void PrintTo(const Run& run, std::ostream* out);

class App {
public:
  App(std::string name, const std::string& program, std::string home = "");
  ~App();
  std::string Path(const std::string& relative) const { return folder_ + "/" + relative; }
  // Content "@fifo" makes a FIFO, "@link:PATH" a symbolic link, "@copy:PATH" a copy and
  // "@cut:PATH" a copy of the first MiB.
  void Write(const std::string& relative, const std::string& content) const;
  std::string Read(const std::string& relative) const;
  Strings Files() const; // below the launcher's folder, sorted
  Run Start(const Strings& arguments, const Environment& environment = {}) const;

private:
  std::string Expand(std::string text, bool back = false) const;
  std::string name_, home_, root_, folder_;
};

// A variable HOSTING_PROBE_* in the environment starts the test host in place of the launcher,
// with HOSTING_PROBE_JVM the VM library of {home} unless the case sets it.
struct Case {
  Case(const char* name, std::optional<std::string> settings, Strings arguments, int code, Text out,
       Text err, Layout files = {}, Environment environment = {}, std::string app = "tool")
      : name(name), settings(std::move(settings)), arguments(std::move(arguments)), code(code),
        out(std::move(out)), err(std::move(err)), files(std::move(files)),
        environment(std::move(environment)), app(std::move(app)) {}
  const char* name;
  std::optional<std::string> settings; // nullopt: no settings file
  Strings arguments;
  int code;
  Text out, err;
  Layout files;
  Environment environment;
  std::string app;
};

// Lays out, starts and judges a case: exit code, output, and no file made or removed.
void Check(const Case& c, const std::string& home = "");
// A table of cases: INSTANTIATE_TEST_SUITE_P(Name, LauncherTest, ValuesIn(kCases), CaseName).
class LauncherTest : public testing::TestWithParam<Case> {};
inline std::string CaseName(const testing::TestParamInfo<Case>& info) {
  return info.param.name;
}
inline void PrintTo(const Case& c, std::ostream* out) {
  *out << c.name;
}

// Settings for fixtures.App from lib/*.jar; the lines given come first in their section, and
// so win over the defaults after them.
std::string Ini(const std::string& runtime, const std::string& application = "",
                const std::string& classPath = "lib\\*.jar");

} // namespace launcher_test
