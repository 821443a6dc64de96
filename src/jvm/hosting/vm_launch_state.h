#pragma once

// What the launcher carries from option assembly through VM creation to the end of the run.

#include <cstdint>
#include <string>
#include <vector>

#include <jni.h>

namespace launcher {

struct VmLaunchState {
  // The VM option strings in order, narrow: the thread's ANSI code page on Windows, UTF-8 on
  // Linux. The library-path option, when there is one, comes first.
  std::vector<std::string> vmOptions;
  // The class-path option in full, "-Djava.class.path=" and the final class path (environment
  // references expanded, the platform's list separator between entries), kept wide for the
  // class-data cache, which stamps its entries. Moved here, never copied: a class path can be
  // long, and a start without the cache must not pay for it.
  std::wstring classPathOption;
  // Stack size in bytes of the thread that runs main; 0 until "-Xss" or the runtime's
  // default sets it.
  uint64_t threadStackSize = 0;
  // The stream files ("Output File", "Error File"), environment references expanded; empty:
  // the stream stays as it is.
  std::wstring outputFile;
  std::wstring errorFile;
  bool appendOutput = false;
  bool appendError = false;
  // The "Cmd" value, expanded.
  std::wstring extraArguments;
  // The VM and the environment of the thread that created it; null when there is none.
  JavaVM* javaVm = nullptr;
  JNIEnv* jniEnv = nullptr;
};

} // namespace launcher
