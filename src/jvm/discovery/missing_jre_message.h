#pragma once

// The sentence of the "JRE not found" step: text 206 for a launcher that accepts only a
// server VM ("JVM Type" "server"), text 207 otherwise, with the required range in place of
// its placeholder.

#include <cstdint>
#include <string>

#include "base/java_version.h"

namespace launcher {

std::wstring ComposeMissingJreMessage(int32_t jvmType, const JavaVersion& minimum,
                                      const JavaVersion& maximum);

// Where the message sends the user for a Java runtime.
constexpr wchar_t kJavaDownloadAddress[] = L"https://adoptium.net/";

} // namespace launcher
