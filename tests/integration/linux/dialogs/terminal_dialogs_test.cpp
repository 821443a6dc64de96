// The "JRE Not Found" and "Java Exception" questions on a terminal: the launcher started on a
// pseudo-terminal (its standard input, output and error), answered line by line as a user would.

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "harness.h"

namespace launcher_test {
namespace {

const std::string kPrompt = "JRE Path: ";
const std::string kQuestion = "Ignore or Stop? [Stop] ";

struct Exchange {
  std::string awaited; // the text that must appear (after the previous one) before the answer
  std::string answer;  // typed as it stands; "\x04" is the end of input
};

struct TerminalRun {
  int code;
  std::string screen; // everything the launcher wrote, line ends as the terminal gives them
};

// Reads what the terminal shows until `text` appears past `from`, the launcher ends, or a
// generous bound passes. True when the text appeared.
bool ReadUntil(int terminal, std::string& screen, size_t& from, const std::string& text) {
  for (int waited = 0; waited < 1200; ++waited) {
    const size_t at = text.empty() ? std::string::npos : screen.find(text, from);
    if (at != std::string::npos) {
      from = at + text.size();
      return true;
    }
    pollfd ready{terminal, POLLIN, 0};
    if (poll(&ready, 1, 100) > 0) {
      char bytes[4096];
      const ssize_t got = read(terminal, bytes, sizeof bytes);
      if (got <= 0) {
        return false; // the launcher closed the terminal: it ended
      }
      screen.append(bytes, static_cast<size_t>(got));
    }
  }
  return false;
}

// Starts the launcher of `app` on a new pseudo-terminal in the app's root folder, with its
// per-user settings below that folder, and plays the exchanges.
TerminalRun StartOnTerminal(const App& app, const std::string& name, const Strings& arguments,
                            const std::vector<Exchange>& exchanges) {
  const std::string root = std::filesystem::path(app.Path("")).parent_path().parent_path();
  std::vector<std::string> argv = {app.Path(name)};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  int terminal = -1;
  const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
  if (child == 0) {
    if (chdir(root.c_str()) != 0) {
      _exit(126);
    }
    setenv("XDG_CONFIG_HOME", root.c_str(), 1);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    std::vector<char*> pointers;
    for (std::string& argument : argv) {
      pointers.push_back(argument.data());
    }
    pointers.push_back(nullptr);
    execv(pointers[0], pointers.data());
    _exit(127);
  }
  TerminalRun run{-1, ""};
  if (child < 0) {
    return run;
  }
  size_t from = 0;
  for (const Exchange& exchange : exchanges) {
    if (!ReadUntil(terminal, run.screen, from, exchange.awaited)) {
      break;
    }
    if (write(terminal, exchange.answer.data(), exchange.answer.size()) < 0) {
      break;
    }
  }
  ReadUntil(terminal, run.screen, from, ""); // to the end
  close(terminal);
  int status = 0;
  if (waitpid(child, &status, WNOHANG) == 0) {
    for (int waited = 0; waited < 600 && waitpid(child, &status, WNOHANG) == 0; ++waited) {
      usleep(100000);
    }
    if (waitpid(child, &status, WNOHANG) == 0) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
    }
  }
  run.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  // The terminal turns each line feed into CR LF; the launcher wrote line feeds.
  std::string plain;
  for (char c : run.screen) {
    if (c != '\r') {
      plain += c;
    }
  }
  run.screen = plain;
  return run;
}

using testing::HasSubstr;
using testing::Not;

const std::string kMissing = "The Java Runtime Environment (JRE) was not found. Please  download "
                             "and install a JRE (minimum version 99.0) from: https://adoptium.net/"
                             "\nIf you have a JRE installed, type its folder below (an empty "
                             "answer cancels).\n" +
                             kPrompt;

struct MissingJreCase {
  const char* name;
  std::string application;         // lines of [Application]
  std::vector<Exchange> exchanges; // {jdk17} stands for the runtime's folder
  int code;
  std::string screenHas;
  std::string perUserFile; // the file below XDG_CONFIG_HOME that must hold "JRE Path", or ""
  bool besideExecutable;   // "JRE Path" goes into the settings file beside the launcher
};

void PrintTo(const MissingJreCase& c, std::ostream* out) {
  *out << c.name;
}

class MissingJreOnTerminal : public testing::TestWithParam<MissingJreCase> {};

const MissingJreCase kMissingJreCases[] = {
    // A folder without a runtime is asked again; a runtime's folder is taken and remembered.
    {"WrongThenRightFolder",
     "",
     {{kPrompt, "/nonexistent\n"}, {kPrompt, kJdk17 + "\n"}},
     0,
     kMissing + "/nonexistent\nNo Java VM was found in /nonexistent/.\n" + kPrompt + kJdk17 +
         "\n<17>\n",
     "tool.ini",
     false},
    // A service remembers it in the settings file beside the executable.
    {"ServiceWritesBesideExecutable",
     "Application Type=service\n",
     {{kPrompt, kJdk17 + "/\n"}},
     0,
     "<17>\n",
     "",
     true},
    {"EmptyAnswerCancels", "", {{kPrompt, "\n"}}, 255, kMissing + "\n", "", false},
    {"EndOfInputCancels", "", {{kPrompt, "\x04"}}, 255, kMissing + "\n", "", false},
};

TEST_P(MissingJreOnTerminal, AsksForAFolder) {
  const MissingJreCase& c = GetParam();
  const App app("tool", LAUNCHER);
  const std::string settings = Ini("Minimum Version=99\n", c.application);
  app.Write("tool.ini", settings);
  const Strings before = app.Files();
  const TerminalRun run =
      StartOnTerminal(app, "tool", {"prop", "java.specification.version"}, c.exchanges);
  EXPECT_EQ(run.code, c.code) << run.screen;
  EXPECT_THAT(run.screen, HasSubstr(c.screenHas));
  const std::string root = std::filesystem::path(app.Path("")).parent_path().parent_path();
  const std::string remembered = "JRE Path=" + kJdk17 + "/\n";
  if (!c.perUserFile.empty()) {
    // Written the way the settings writer writes a new file, with CR LF.
    EXPECT_EQ(app.Read("../" + c.perUserFile),
              "[Java Runtime Environment]\r\nJRE Path=" + kJdk17 + "/\r\n");
  } else {
    EXPECT_FALSE(std::filesystem::exists(root + "/tool.ini"));
  }
  if (c.besideExecutable) {
    EXPECT_THAT(app.Read("tool.ini"), HasSubstr(remembered));
  } else {
    EXPECT_EQ(app.Read("tool.ini"), settings);
    EXPECT_EQ(app.Files(), before);
  }
  // The next start takes the remembered runtime without asking.
  if (c.code == 0) {
    const TerminalRun again =
        StartOnTerminal(app, "tool", {"prop", "java.specification.version"}, {});
    EXPECT_EQ(again.code, 0) << again.screen;
    EXPECT_EQ(again.screen, "<17>\n");
  }
}

INSTANTIATE_TEST_SUITE_P(Dialogs, MissingJreOnTerminal, testing::ValuesIn(kMissingJreCases),
                         [](const testing::TestParamInfo<MissingJreCase>& info) {
                           return std::string(info.param.name);
                         });

struct ExceptionCase {
  const char* name;
  std::vector<Exchange> exchanges;
  int code;
};

void PrintTo(const ExceptionCase& c, std::ostream* out) {
  *out << c.name;
}

class ExceptionOnTerminal : public testing::TestWithParam<ExceptionCase> {};

const ExceptionCase kExceptionCases[] = {
    // Ignore: main's thread carries on as after a normal return.
    {"Ignore", {{kQuestion, "ignore\n"}}, 0},
    {"IgnoreByLetter", {{kQuestion, "I\n"}}, 0},
    // Stop: System.exit(-1).
    {"Stop", {{kQuestion, "stop\n"}}, 255},
    {"EmptyAnswerStops", {{kQuestion, "\n"}}, 255},
    {"EndOfInputStops", {{kQuestion, "\x04"}}, 255},
    // Another answer is asked again.
    {"OtherAnswerAskedAgain", {{kQuestion, "maybe\n"}, {kQuestion, "i\n"}}, 0},
};

TEST_P(ExceptionOnTerminal, AsksIgnoreOrStop) {
  const ExceptionCase& c = GetParam();
  const App app("tool", LAUNCHER);
  app.Write("tool.ini", Ini("", "Failure Check=Yes\n"));
  const TerminalRun run = StartOnTerminal(app, "tool", {"throw"}, c.exchanges);
  EXPECT_EQ(run.code, c.code) << run.screen;
  EXPECT_THAT(run.screen,
              HasSubstr("The java process has thrown the following uncaught exception:\n"
                        "java.lang.IllegalStateException: boom"));
  EXPECT_THAT(run.screen, HasSubstr("\tat fixtures.App.main("));
  // Ignored, the exception is not reported again by the VM.
  if (c.code == 0) {
    EXPECT_THAT(run.screen, Not(HasSubstr("Exception in thread")));
  }
}

INSTANTIATE_TEST_SUITE_P(Dialogs, ExceptionOnTerminal, testing::ValuesIn(kExceptionCases),
                         [](const testing::TestParamInfo<ExceptionCase>& info) {
                           return std::string(info.param.name);
                         });

} // namespace
} // namespace launcher_test
