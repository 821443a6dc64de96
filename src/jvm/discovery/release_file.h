#pragma once

// The `release` file in a Java runtime's home: lines of KEY=value, values usually in double
// quotes (JAVA_VERSION="17.0.9", IMPLEMENTOR="Eclipse Adoptium"). Runtimes since Java 9 have
// one; older ones mostly do not.

#include <string>
#include <string_view>

namespace launcher {

struct ReleaseFacts {
  std::wstring javaVersion; // JAVA_VERSION, without its quotes; empty when absent
  std::wstring implementor; // IMPLEMENTOR, likewise
};

// The first JAVA_VERSION and IMPLEMENTOR of the text (UTF-8, lines ending in LF or CR LF).
// Lines without "=" and other keys are skipped; a value loses one pair of surrounding double
// quotes.
ReleaseFacts ParseReleaseFile(std::string_view bytes);

// The facts of the release file of a home given with its trailing separator; empty when the
// file is missing, is no regular file, or says nothing. At most the first 64 KiB are read.
ReleaseFacts ReadReleaseFile(const std::wstring& javaHome);

// Whether an IMPLEMENTOR value names IBM ("IBM Corporation", "International Business
// Machines Corporation").
bool IsIbmImplementor(std::wstring_view implementor);

// Whether a runtime found outside the vendor keys is IBM's: its release file's IMPLEMENTOR
// says so; without one (older IBM runtimes have no release file) a folder of its home's path
// is named "ibm", or begins with "ibm-" or "ibm_" (C:\Program Files\IBM\Java80\jre,
// /opt/ibm/java-x86_64-80), in any case.
bool IsIbmRuntimeHome(const ReleaseFacts& facts, std::wstring_view javaHome, wchar_t separator);
bool IsIbmRuntimeHome(const std::wstring& javaHome);

} // namespace launcher
