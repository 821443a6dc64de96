#pragma once

// The VM options of the launch: the class path, then the "Virtual Machine Parameters";
// and, read at the same time, the stream files and the "Cmd" arguments for main.

#include <string>
#include <vector>

#include "base/error_message.h"
#include "jvm/hosting/memory_sizing.h"
#include "jvm/hosting/vm_launch_state.h"

namespace launcher {

class SettingsReader;

// The settings that option assembly reads, as the settings reader gives them.
struct VmOptionSettings {
  std::wstring classPath;    // [Class Path] "Class Path"
  std::wstring embeddedJar;  // [Application] "Embedded Jar"
  std::wstring vmParameters; // [Java Runtime Environment] "Virtual Machine Parameters"
  std::wstring outputFile;   // [Application] "Output File"
  std::wstring outputAppend; // [Application] "Output Append"
  std::wstring errorFile;    // [Application] "Error File"
  std::wstring errorAppend;  // [Application] "Error Append"
  std::wstring cmd;          // [Application] "Cmd"
  std::wstring mainClass;    // [Java Runtime Environment] "Main Class", packages split by "."
};

// "-Dsun.java.command=" with the main class and the arguments, blank-separated, as the java
// command sets it: the JDK's tools (jps, jcmd) and crash reports name the application by it.
std::wstring JavaCommandOption(const std::wstring& mainClass,
                               const std::vector<std::wstring>& arguments);

VmOptionSettings ReadVmOptionSettings(const SettingsReader& reader);

// Appends "-Djava.class.path=...", the JavaCommandOption when a main class is named, and the VM
// parameters to vm.vmOptions (each but the JavaCommandOption expanded once more, all made
// narrow); the VM keeps the last value of a property, so a user's own sun.java.command wins.
// It sets vm.threadStackSize from "-Xss", fills the stream fields and
// vm.extraArguments, and appends the "Cmd" tokens to `arguments`. With an empty class path
// shows message 209 and returns false before any of that.
bool AssembleVmOptionsFrom(const VmOptionSettings& settings, const std::wstring& modulePath,
                           VmLaunchState& vm, std::vector<std::wstring>& arguments,
                           WindowHandle messageOwner = nullptr,
                           const MemoryFigureSource& memory = ReadMemoryFigures);

// The same with the settings read from the launcher settings file.
bool AssembleVmOptions(const SettingsReader& settingsFile, const std::wstring& modulePath,
                       VmLaunchState& vm, std::vector<std::wstring>& arguments,
                       WindowHandle messageOwner = nullptr);

} // namespace launcher
