#pragma once

// Where a Java runtime keeps its VM library and its other pieces, relative to its home
// folder. Windows: "bin\server\jvm.dll" and its siblings, "bin\java.dll" marking a shipped
// runtime, "bin\javac.exe" a JDK. Linux: "lib/server/libjvm.so" and its siblings, each also in
// the older "lib/<arch>/server/libjvm.so" layout (arch "amd64" on x86-64), "lib/libjava.so"
// and "bin/javac".
// Homes are joined to these names by plain concatenation, so they end in a separator.

#include <string>
#include <vector>

namespace launcher {

// The VM variants a runtime may ship, each in its own folder.
enum class JvmKind { kServer, kClient, kClassic, kHotspot, kJrockit };

// The names under which a runtime home may hold the VM library of one kind, relative to the
// home, in the order they are probed.
std::vector<std::wstring> JvmLibraryNames(JvmKind kind);

// The file whose presence marks a folder as a complete runtime shipped with the application.
std::wstring ShippedRuntimeMarker();

// The folder beside the launcher that may hold a shipped runtime, with its separator.
std::wstring ShippedRuntimeFolder();

// The folder inside an old-style JDK that holds its runtime, with its separator.
std::wstring JdkRuntimeFolder();

// The Java compiler, relative to the home: a home that holds it is a JDK's.
std::wstring JdkCompilerName();

// Folders of a runtime, derived from the path of its VM library. No separator at the end.
// Windows: home = the path less three components, bin = less two, lib = home + "\lib".
// Linux: home = the folder above "lib" (in both layouts), bin = home + "/bin",
// lib = home + "/lib".
std::wstring RuntimeHome(const std::wstring& jvmLibraryPath);
std::wstring RuntimeBinFolder(const std::wstring& jvmLibraryPath);
std::wstring RuntimeLibFolder(const std::wstring& jvmLibraryPath);

} // namespace launcher
