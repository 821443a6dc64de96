// Single-instance mode against the installed runtimes: second starts hand their arguments to
// the running primary (fixtures.Instance and its relatives, which record every call of main
// and secondaryMain in instance.log) and end with its reply or with its exit code.

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "harness.h"

namespace launcher_test {
namespace {

using namespace testing;
namespace fs = std::filesystem;

const std::string kWord = "\x7F\xE0\xA0\x80\xC2\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF";

// Polls until `done`, for at most a minute: a bound for a broken run, not a timing check.
bool WaitUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 12000; ++i) {
    if (done()) {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return done();
}

// The sockets a process holds: the primary's listener, and one more per second start it took.
int Sockets(pid_t pid) {
  int sockets = 0;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
    sockets += fs::read_symlink(entry.path(), error).string().rfind("socket:", 0) == 0;
  }
  return sockets;
}

// An application in single-instance mode: its launcher started in the background in the folder
// above the launcher's, with the runtime folder and the record file of its own.
class Instance {
public:
  Instance(const std::string& mainClass, const std::string& runtime = kJdk17,
           const std::string& extra = "", const std::string& application = "Single Instance=yes\n")
      : app_("tool", LAUNCHER), root_(app_.Path("..")) {
    app_.Write("tool.ini",
               Ini("JRE Path=" + runtime + "\nMain Class=fixtures." + mainClass + "\n" + extra,
                   application));
    fs::create_directory(root_ + "/run");
    fs::permissions(root_ + "/run", fs::perms::owner_all);
  }

  pid_t Start(const Strings& arguments, bool ownRuntimeFolder = true) const {
    const pid_t pid = fork();
    if (pid == 0) {
      const std::string out = root_ + "/out" + std::to_string(getpid());
      if (chdir(root_.c_str()) != 0 || !freopen((out + ".out").c_str(), "w", stdout) ||
          !freopen((out + ".err").c_str(), "w", stderr)) {
        _exit(120);
      }
      unsetenv("DISPLAY");
      unsetenv("WAYLAND_DISPLAY");
      setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
      setenv("INSTANCE_LOG", (root_ + "/instance.log").c_str(), 1);
      if (ownRuntimeFolder) {
        setenv("XDG_RUNTIME_DIR", (root_ + "/run").c_str(), 1);
      } else {
        unsetenv("XDG_RUNTIME_DIR");
      }
      std::vector<char*> argv{const_cast<char*>("tool")};
      for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
      }
      argv.push_back(nullptr);
      execv(app_.Path("tool").c_str(), argv.data());
      _exit(121);
    }
    return pid;
  }

  // The exit code as the shell sees it; killed past a minute.
  static int Finish(pid_t pid) {
    int status = 0;
    if (!WaitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; })) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

  int Run(const Strings& arguments, bool ownRuntimeFolder = true) const {
    return Finish(Start(arguments, ownRuntimeFolder));
  }

  std::string Log() const { return app_.Read("../instance.log"); }
  Strings Lines() const {
    Strings lines;
    std::istringstream log(Log());
    for (std::string line; std::getline(log, line);) {
      lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
  }
  bool Logged(const std::string& line) const {
    return ("\n" + Log()).find("\n" + line + "\n") != std::string::npos;
  }
  std::string Err(pid_t pid) const { return app_.Read("../out" + std::to_string(pid) + ".err"); }
  std::string Path(const std::string& relative) const { return root_ + "/" + relative; }

private:
  App app_;
  std::string root_;
};

class SingleInstanceTest : public TestWithParam<std::string> {};

// The void form is answered with 0 before it runs; what it receives is the second start's
// own arguments (never the "Cmd" tokens), up to the first empty one, in at most 1040 bytes.
TEST_P(SingleInstanceTest, VoidForm) {
  const Instance instance("Instance", GetParam(), "", "Single Instance=yes\nCmd=from-cmd\n");
  const pid_t primary = instance.Start({"hold"});
  ASSERT_TRUE(WaitUntil([&] { return instance.Logged("main <hold> <from-cmd>"); }));
  const std::string fits(518, 'f'); // 2 x 518 + 2 + 2 = 1040 bytes
  for (const Strings& arguments :
       {Strings{"a b", kWord, "-nosplash"}, Strings{"x", "", "y"}, Strings{}, Strings{"throw"},
        Strings{fits}, Strings{"", "after empty first"}}) {
    EXPECT_EQ(instance.Run(arguments), 0) << PrintToString(arguments);
  }
  EXPECT_EQ(instance.Run({fits + "f"}), 255);
  EXPECT_EQ(instance.Run({fits, ""}), 255); // an empty argument takes room too
  EXPECT_EQ(instance.Run({"stop"}), 0);
  EXPECT_EQ(Instance::Finish(primary), 0);
  EXPECT_THAT(instance.Lines(),
              UnorderedElementsAre("main <hold> <from-cmd>", "secondary <" + fits + ">",
                                   "secondary <>", "secondary <> <after empty first>",
                                   "secondary <a b> <" + kWord + "> <-nosplash>",
                                   "secondary <stop>", "secondary <throw>", "secondary <x>"));
}

// The int form's result is the second start's exit code, sent after the call; a call that
// throws returns 0, and the exception is printed by the primary.
TEST_P(SingleInstanceTest, IntForm) {
  const Instance instance("IntInstance", GetParam());
  const pid_t primary = instance.Start({"hold"});
  ASSERT_TRUE(WaitUntil([&] { return instance.Logged("main <hold>"); }));
  EXPECT_EQ(instance.Run({"code", "42"}), 42);
  EXPECT_EQ(instance.Run({"code", "-3"}), 253);
  EXPECT_EQ(instance.Run({"a", "b", "c"}), 3);
  EXPECT_EQ(instance.Run({"throw"}), 0);
  EXPECT_EQ(instance.Run({"stop"}), 1);
  EXPECT_EQ(Instance::Finish(primary), 0);
  EXPECT_THAT(instance.Err(primary), HasSubstr("IllegalStateException: thrown by secondaryMain"));
  EXPECT_EQ(instance.Lines().size(), 6u) << instance.Log();
}

INSTANTIATE_TEST_SUITE_P(Runtimes, SingleInstanceTest, Values(kJdk17, kJdk25),
                         [](const auto& info) { return info.param == kJdk17 ? "Jdk17" : "Jdk25"; });

const std::string kPaused =
    "Virtual Machine Parameters=-XX:+UnlockDiagnosticVMOptions -XX:+PauseAtStartup "
    "-XX:PauseAtStartupFile={app}/../paused\n";

// A second start made while the primary's VM is still being created is taken at once and
// served once main has been entered.
TEST(SingleInstance, SecondStartWhileTheVmStarts) {
  const Instance instance("IntInstance", kJdk17, kPaused);
  const pid_t primary = instance.Start({"hold"});
  ASSERT_TRUE(WaitUntil([&] { return fs::exists(instance.Path("paused")); }));
  const pid_t early = instance.Start({"code", "9"});
  ASSERT_TRUE(WaitUntil([&] { return Sockets(primary) == 2; }));
  EXPECT_EQ(instance.Log(), "");
  fs::remove(instance.Path("paused"));
  EXPECT_EQ(Instance::Finish(early), 9);
  EXPECT_EQ(instance.Run({"stop"}), 1);
  EXPECT_EQ(Instance::Finish(primary), 0);
  EXPECT_THAT(instance.Lines(),
              ElementsAre("main <hold>", "secondary-int <code> <9>", "secondary-int <stop>"));
}

// Without a reply a second start ends with the primary's exit code: a primary that never
// reaches main, one without secondaryMain; one that dies without a word leaves it -1.
TEST(SingleInstance, PrimaryEndsFirst) {
  const Instance missing("Missing", kJdk17, kPaused);
  const pid_t primary = missing.Start({});
  ASSERT_TRUE(WaitUntil([&] { return fs::exists(missing.Path("paused")); }));
  const pid_t second = missing.Start({"x"});
  ASSERT_TRUE(WaitUntil([&] { return Sockets(primary) == 2; }));
  fs::remove(missing.Path("paused"));
  EXPECT_EQ(Instance::Finish(primary), 1);
  EXPECT_EQ(Instance::Finish(second), 1);

  const Instance plain("NoSecondary");
  const pid_t exits = plain.Start({"gate", plain.Path("go"), "exit", "7"});
  ASSERT_TRUE(
      WaitUntil([&] { return plain.Logged("main <gate> <" + plain.Path("go") + "> <exit> <7>"); }));
  const pid_t waiting = plain.Start({"x"});
  ASSERT_TRUE(WaitUntil([&] { return Sockets(exits) == 2; }));
  std::ofstream(plain.Path("go")).close();
  EXPECT_EQ(Instance::Finish(exits), 7);
  EXPECT_EQ(Instance::Finish(waiting), 7);

  const Instance killed("NoSecondary");
  const pid_t victim = killed.Start({"gate", killed.Path("never")});
  ASSERT_TRUE(WaitUntil([&] { return killed.Log() != ""; }));
  const pid_t orphan = killed.Start({"x"});
  ASSERT_TRUE(WaitUntil([&] { return Sockets(victim) == 2; }));
  kill(victim, SIGKILL);
  EXPECT_EQ(Instance::Finish(victim), 137);
  EXPECT_EQ(Instance::Finish(orphan), 255);
  // The lock went with the process: the next start is a primary again.
  EXPECT_EQ(killed.Run({"exit", "4"}), 4);
}

// Only "yes" exactly, never for a service, and only for the same executable: otherwise each
// start runs the application itself.
TEST(SingleInstance, IndependentStarts) {
  for (const std::string application :
       {"Single Instance=Yes\n", "Single Instance=yes\nApplication Type=service\n"}) {
    const Instance instance("NoSecondary", kJdk17, "", application);
    const pid_t first = instance.Start({"gate", instance.Path("go")});
    ASSERT_TRUE(WaitUntil([&] { return instance.Log() != ""; }));
    EXPECT_EQ(instance.Run({"exit", "5"}), 5) << application;
    std::ofstream(instance.Path("go")).close();
    EXPECT_EQ(Instance::Finish(first), 0);
    EXPECT_EQ(instance.Lines().size(), 2u) << instance.Log();
  }
  // Two copies in two folders, in the shared runtime folder of the user.
  const Instance one("Instance"), two("Instance");
  const pid_t first = one.Start({"hold"}, false), second = two.Start({"hold"}, false);
  ASSERT_TRUE(WaitUntil([&] { return one.Logged("main <hold>") && two.Logged("main <hold>"); }));
  EXPECT_EQ(one.Run({"stop"}, false), 0);
  EXPECT_EQ(two.Run({"stop"}, false), 0);
  EXPECT_EQ(Instance::Finish(first), 0);
  EXPECT_EQ(Instance::Finish(second), 0);
}

// Fifty second starts at once, each with arguments of its own: each reaches secondaryMain once
// and intact, and each ends with its own reply.
TEST(SingleInstance, FiftyAtOnce) {
  const Instance instance("IntInstance");
  const pid_t primary = instance.Start({"hold"});
  ASSERT_TRUE(WaitUntil([&] { return instance.Logged("main <hold>"); }));
  std::vector<pid_t> starts;
  Strings expected = {"main <hold>"};
  for (int i = 0; i < 50; ++i) {
    const std::string payload(static_cast<size_t>(i * 9), static_cast<char>('a' + i % 26));
    starts.push_back(instance.Start({"code", std::to_string(i), payload + kWord}));
    expected.push_back("secondary-int <code> <" + std::to_string(i) + "> <" + payload + kWord +
                       ">");
  }
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ(Instance::Finish(starts[static_cast<size_t>(i)]), i);
  }
  EXPECT_EQ(instance.Run({"stop"}), 1);
  EXPECT_EQ(Instance::Finish(primary), 0);
  expected.push_back("secondary-int <stop>");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(instance.Lines(), expected);
}

} // namespace
} // namespace launcher_test
