#include "harness.h"

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace launcher_test {
namespace fs = std::filesystem;
namespace {

std::string ReadFile(const std::string& path, size_t limit = std::string::npos) {
  std::ostringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  return bytes.str().substr(0, limit);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = 0; !from.empty() && (at = text.find(from, at)) != text.npos; at += to.size()) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// For the shell: in single quotes, each ' as '\''.
std::string Quoted(const std::string& text) {
  return "'" + Replaced(text, "'", "'\\''") + "'";
}

} // namespace

void PrintTo(const Run& run, std::ostream* out) {
  *out << "exit code " << run.code << "\n--- out ---\n" << run.out << "\n--- err ---\n" << run.err;
}

App::App(std::string name, const std::string& program, std::string home)
    : name_(std::move(name)), home_(std::move(home)),
      root_(fs::temp_directory_path() / "launcher-test-XXXXXX") {
  if (mkdtemp(root_.data()) == nullptr) {
    throw std::runtime_error("cannot make " + root_);
  }
  folder_ = root_ + "/my.apps";
  fs::create_directories(folder_ + "/lib");
  fs::copy_file(program, Path(name_));
  fs::copy_file(FIXTURE_JAR, Path("lib/fixtures.jar"));
}

App::~App() {
  if (!testing::Test::HasFailure()) { // kept for a look otherwise
    fs::remove_all(root_);
  }
}

std::string App::Expand(std::string text, bool back) const {
  const std::pair<std::string, std::string> names[] = {
      {"{app}", folder_}, {"{home}", home_}, {"{jdk17}", kJdk17}, {"{jdk25}", kJdk25}};
  for (const auto& [name, path] : names) {
    text = back ? Replaced(text, path, name) : Replaced(text, name, path);
  }
  return text;
}

void App::Write(const std::string& relative, const std::string& content) const {
  const fs::path path = Path(relative);
  fs::create_directories(path.parent_path());
  const std::string kind =
      content.rfind("@", 0) == 0 ? content.substr(0, content.find(':') + 1) : "";
  const std::string source = Expand(content.substr(kind.size()));
  if (content == "@fifo") {
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0) << path;
  } else if (kind == "@link:") {
    fs::create_symlink(source, path);
  } else if (kind == "@copy:") {
    fs::copy_file(source, path);
  } else {
    std::ofstream(path, std::ios::binary) << (kind == "@cut:" ? ReadFile(source, 1 << 20) : source);
  }
}

std::string App::Read(const std::string& relative) const {
  return ReadFile(Path(relative));
}

Strings App::Files() const {
  Strings names;
  for (const auto& entry : fs::recursive_directory_iterator(folder_)) {
    names.push_back(fs::relative(entry.path(), folder_));
  }
  std::sort(names.begin(), names.end());
  return names;
}

Run App::Start(const Strings& arguments, const Environment& environment) const {
  // By the shell, in the fresh folder, without a desktop (whose windows would wait for a user),
  // the user's own settings, a trace the case did not ask for, or the runtimes the user has set up
  // (JAVA_HOME, those below the home folder, which is the fresh one); killed past a generous bound.
  std::string command = "cd " + Quoted(root_) +
                        " && exec env -u DISPLAY -u WAYLAND_DISPLAY -u JAVA_HOME -u ZL_TRACE " +
                        Quoted("XDG_CONFIG_HOME=" + root_) + " " + Quoted("HOME=" + root_);
  for (const auto& [name, value] : environment) {
    command += " " + Quoted(name + "=" + Expand(value));
  }
  command += " timeout -s KILL 120 " + Quoted(Path(name_));
  for (const std::string& argument : arguments) {
    command += " " + Quoted(Expand(argument));
  }
  const int status = std::system((command + " </dev/null >out 2>err").c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
          Expand(ReadFile(root_ + "/out"), true), Expand(ReadFile(root_ + "/err"), true)};
}

TEST_P(LauncherTest, Runs) {
  Check(GetParam());
}

void Check(const Case& c, const std::string& home) {
  Environment environment = c.environment;
  const auto probe = environment.lower_bound("HOSTING_PROBE");
  const bool hosted = probe != environment.end() && probe->first.rfind("HOSTING_PROBE", 0) == 0;
  if (hosted) {
    environment.emplace("HOSTING_PROBE_JVM", "{home}/lib/server/libjvm.so");
  }
  const App app(c.app, hosted ? HOSTING_PROBE : LAUNCHER, home);
  if (c.settings) {
    app.Write(c.app + ".ini", *c.settings);
  }
  for (const auto& [relative, content] : c.files) {
    app.Write(relative, content);
  }
  const Strings before = app.Files();
  EXPECT_THAT(app.Start(c.arguments, environment),
              testing::AllOf(testing::Field("code", &Run::code, c.code),
                             testing::Field("out", &Run::out, c.out),
                             testing::Field("err", &Run::err, c.err)));
  EXPECT_EQ(app.Files(), before);
}

std::string Ini(const std::string& runtime, const std::string& application,
                const std::string& classPath) {
  return "[Java Runtime Environment]\n" + runtime +
         "Main Class=fixtures.App\nMaximum Version=any\n[Application]\n" + application +
         "[Class Path]\nClass Path=" + classPath + "\n";
}

} // namespace launcher_test
