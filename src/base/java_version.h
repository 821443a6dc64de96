#pragma once

// Java version numbers as the launcher compares them: four signed 32-bit components read from
// the first four digit runs of a text (registry key names such as 1.8.0_151, settings values
// such as 9.0.1 or jdk-11.0.2+9). 0.0.0.0 and 65535.65535.65535.65535 stand for "no bound".

#include <cstdint>
#include <string>
#include <string_view>

namespace launcher {

struct JavaVersion {
  int32_t parts[4] = {0, 0, 0, 0};
};

bool operator==(const JavaVersion& a, const JavaVersion& b);
bool operator!=(const JavaVersion& a, const JavaVersion& b);

// The bounds that the settings word "any" stands for.
constexpr JavaVersion kAnyMinimumVersion{{0, 0, 0, 0}};
constexpr JavaVersion kAnyMaximumVersion{{65535, 65535, 65535, 65535}};

// Every non-digit separates components; components the text does not hold take fill. A text
// without digits, or with a run above 2147483647, gives 0.0.0.0 whatever the fill.
JavaVersion ParseVersion(std::wstring_view text, int32_t fill);

// -1, 0 or 1, comparing the parts in order as signed numbers.
int CompareVersions(const JavaVersion& a, const JavaVersion& b);

// True for 0.0.0.0 and for 65535.65535.65535.65535.
bool IsUnboundedVersion(const JavaVersion& version);

// The parts up to the last one that is neither 0 nor 65535, but at least two of them:
// 1.8.0.0 gives 1.8, 11.0.2.0 gives 11.0.2; a version without such a part gives 0.0.0.0.
// An open second part is never shown: 9.65535.65535.65535 gives 9.
std::wstring FormatVersion(const JavaVersion& version);

// Whether a runtime of version candidate satisfies a "Preferred versions" entry: the entry's
// trailing zero parts are wildcards (1.8 matches every 1.8 runtime), an entry of all zeros
// matches everything.
bool MatchesPreferred(const JavaVersion& candidate, const JavaVersion& preferred);

// The phrase that names the required range in the "JRE not found" message (texts 217-221).
std::wstring RequirementText(const JavaVersion& minimum, const JavaVersion& maximum);

} // namespace launcher
