#include "launcher_process.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace launcher_test {
namespace {

using Clock = std::chrono::steady_clock;

// Owns one pipe end.
class Descriptor {
public:
  Descriptor() = default;
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() { Reset(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  void Reset(int fd = -1) {
    if (fd_ >= 0) {
      close(fd_);
    }
    fd_ = fd;
  }

private:
  int fd_ = -1;
};

bool MakePipe(Descriptor& readEnd, Descriptor& writeEnd) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    return false;
  }
  readEnd.Reset(fds[0]);
  writeEnd.Reset(fds[1]);
  return true;
}

std::vector<std::string> BuildEnvironment(const RunOptions& options) {
  std::map<std::string, std::string> variables;
  if (!options.clearEnvironment) {
    for (char** entry = environ; *entry != nullptr; ++entry) {
      const std::string text = *entry;
      const size_t equals = text.find('=');
      if (equals != std::string::npos) {
        variables[text.substr(0, equals)] = text.substr(equals + 1);
      }
    }
  }
  for (const auto& [name, value] : options.environment) {
    if (value) {
      variables[name] = *value;
    } else {
      variables.erase(name);
    }
  }
  std::vector<std::string> out;
  for (const auto& [name, value] : variables) {
    out.push_back(name + "=" + value);
  }
  return out;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> out;
  for (std::string& text : texts) {
    out.push_back(text.data());
  }
  out.push_back(nullptr);
  return out;
}

// Reads what is there; false once the writer has closed its end.
bool Drain(int fd, std::string& into) {
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) {
      into.append(buffer, static_cast<size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) {
      continue;
    }
    return n < 0 && errno == EAGAIN;
  }
}

// The time to the deadline, at most `slice` milliseconds.
int MillisecondsLeft(Clock::time_point deadline, long long slice) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() < 0 ? 0 : static_cast<int>(std::min<long long>(left.count(), slice));
}

} // namespace

std::string RunResult::Describe() const {
  std::string text;
  if (!started) {
    text = "not started: " + error;
  } else if (timedOut) {
    text = "killed after outliving its bound";
  } else if (exited) {
    text = "exit code " + std::to_string(exitCode);
  } else {
    text = "ended by signal " + std::to_string(signal) + " (" + strsignal(signal) + ")";
  }
  text += "\n--- stdout ---\n" + out + "\n--- stderr ---\n" + err + "\n---";
  return text;
}

RunResult RunProgram(const std::string& program, const RunOptions& options) {
  RunResult result;

  // Everything the child needs is prepared before fork: after it, the child of a threaded
  // test process may only make async-signal-safe calls.
  std::vector<std::string> argumentTexts;
  argumentTexts.push_back(options.programName.empty() ? program : options.programName);
  argumentTexts.insert(argumentTexts.end(), options.arguments.begin(), options.arguments.end());
  std::vector<std::string> environmentTexts = BuildEnvironment(options);
  std::vector<char*> argv = Pointers(argumentTexts);
  std::vector<char*> envp = Pointers(environmentTexts);
  const char* workingDirectory =
      options.workingDirectory.empty() ? nullptr : options.workingDirectory.c_str();

  Descriptor outRead, outWrite, errRead, errWrite, statusRead, statusWrite;
  if (!MakePipe(outRead, outWrite) || !MakePipe(errRead, errWrite) ||
      !MakePipe(statusRead, statusWrite)) {
    result.error = std::string("pipe: ") + strerror(errno);
    return result;
  }

  const pid_t pid = fork();
  if (pid < 0) {
    result.error = std::string("fork: ") + strerror(errno);
    return result;
  }
  if (pid == 0) {
    // Its own process group, so that a timeout kills whatever it started as well.
    setpgid(0, 0);
    const int devNull = open("/dev/null", O_RDONLY);
    if (devNull >= 0) {
      dup2(devNull, STDIN_FILENO);
    }
    dup2(outWrite.Get(), STDOUT_FILENO);
    dup2(errWrite.Get(), STDERR_FILENO);
    int failure = 0;
    if (workingDirectory != nullptr && chdir(workingDirectory) != 0) {
      failure = errno;
    } else {
      execve(program.c_str(), argv.data(), envp.data());
      failure = errno;
    }
    // Tell the parent why; the status pipe closes on a successful exec instead.
    ssize_t ignored = write(statusWrite.Get(), &failure, sizeof failure);
    (void)ignored;
    _exit(127);
  }
  setpgid(pid, pid); // also here, so that the group exists before any kill below
  outWrite.Reset();
  errWrite.Reset();
  statusWrite.Reset();

  int childFailure = 0;
  ssize_t got;
  do {
    got = read(statusRead.Get(), &childFailure, sizeof childFailure);
  } while (got < 0 && errno == EINTR);
  if (got == static_cast<ssize_t>(sizeof childFailure)) {
    waitpid(pid, nullptr, 0);
    result.error = (workingDirectory != nullptr ? "chdir/exec: " : "exec: ") +
                   std::string(strerror(childFailure));
    return result;
  }
  result.started = true;

  fcntl(outRead.Get(), F_SETFL, O_NONBLOCK);
  fcntl(errRead.Get(), F_SETFL, O_NONBLOCK);
  const Clock::time_point deadline = Clock::now() + options.bound;
  bool outOpen = true;
  bool errOpen = true;
  int status = 0;
  bool reaped = false;
  // Until the program has ended or the bound is reached. The streams are read as they fill,
  // so a program that writes much never blocks on a full pipe.
  for (;;) {
    if (Clock::now() >= deadline) {
      result.timedOut = true;
      kill(-pid, SIGKILL);
      kill(pid, SIGKILL);
      break;
    }
    pollfd fds[2] = {{outOpen ? outRead.Get() : -1, POLLIN, 0},
                     {errOpen ? errRead.Get() : -1, POLLIN, 0}};
    const int wait =
        (outOpen || errOpen) ? MillisecondsLeft(deadline, 100) : MillisecondsLeft(deadline, 10);
    if (poll(fds, 2, wait) > 0) {
      if (outOpen && (fds[0].revents & (POLLIN | POLLHUP | POLLERR))) {
        outOpen = Drain(outRead.Get(), result.out);
      }
      if (errOpen && (fds[1].revents & (POLLIN | POLLHUP | POLLERR))) {
        errOpen = Drain(errRead.Get(), result.err);
      }
    }
    if (waitpid(pid, &status, WNOHANG) == pid) {
      reaped = true;
      // What the program wrote before it ended is in the pipes now. A descendant that
      // still holds them open does not keep the test waiting.
      if (outOpen) {
        Drain(outRead.Get(), result.out);
      }
      if (errOpen) {
        Drain(errRead.Get(), result.err);
      }
      if (!options.keepDescendants) {
        kill(-pid, SIGKILL);
      }
      break;
    }
  }
  if (!reaped) {
    waitpid(pid, &status, 0);
  }
  if (!result.timedOut) {
    if (WIFEXITED(status)) {
      result.exited = true;
      result.exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
      result.signal = WTERMSIG(status);
    }
  }
  return result;
}

} // namespace launcher_test
