#pragma once

// Starting a program the way a user's shell does, and seeing everything it did: exit code or
// signal, standard output and standard error. A program that outlives its bound is killed
// with its whole process group and reported as timed out, so a stuck launcher fails a test
// instead of hanging the run.

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace launcher_test {

struct RunOptions {
  // Arguments after the program name.
  std::vector<std::string> arguments;
  // Changes to the inherited environment: a value sets the variable, nullopt removes it.
  std::map<std::string, std::optional<std::string>> environment;
  // Start with an empty environment (then only `environment` is set).
  bool clearEnvironment = false;
  // Working folder of the program; empty keeps the test's own.
  std::string workingDirectory;
  // argv[0] as the program sees it; empty: the program's path.
  std::string programName;
  // Processes the program started and left running (a paired program started without waiting)
  // are killed with its process group once it has ended, unless this is set.
  bool keepDescendants = false;
  // Generous: a bound against hangs, not a measure of speed.
  std::chrono::milliseconds bound{std::chrono::seconds(120)};
};

struct RunResult {
  bool started = false;  // false: the program could not be started (see `error`)
  bool exited = false;   // ended through exit or return from main
  int exitCode = -1;     // 0..255 when `exited`
  int signal = 0;        // the signal that ended it, when it did not exit
  bool timedOut = false; // outlived the bound and was killed
  std::string out;       // everything written to standard output
  std::string err;       // everything written to standard error
  std::string error;     // why it could not be started

  // One paragraph for a failure message: how it ended and what it printed.
  std::string Describe() const;
};

RunResult RunProgram(const std::string& program, const RunOptions& options);

} // namespace launcher_test
