#pragma once

// The "Class Path" setting turned into the value of java.class.path. Entries are separated
// by ";" in the settings file on every platform; the result uses the platform's list
// separator (";" on Windows, ":" on Linux) between entries and none after the last: an empty
// last entry would put the current folder on the class path, so that classes planted in
// whatever folder the user starts from would be loaded. Only what the settings name is on the
// path (an entry "." written in the settings is kept as it stands: the current folder).
//
// Relative entries and wildcards are resolved against the launcher's folder; absolute entries
// pass unchanged. An entry is absolute by the platform's rule applied to the text as written
// (Windows: a drive letter or two leading "\"; Linux: a leading "/"), so the Windows habit of
// a leading "\" for "below the launcher's folder" ("\lib\*.jar") means the same on Linux,
// where the "\" then reads as "/".

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/platform.h"

namespace launcher {

// Where to look for one relative or wildcard entry, and what goes before each name found.
struct ClassPathSearch {
  std::wstring pattern;
  std::wstring prefix;
};

// A relative entry is looked up below `launcherFolder` (given without a trailing separator);
// a separator is put between the two when the entry does not begin with one. An absolute
// entry is searched as it stands. The prefix is the pattern up to and including its last
// separator.
ClassPathSearch ClassPathSearchFor(std::wstring_view entry, bool isAbsolute,
                                   std::wstring_view launcherFolder,
                                   wchar_t separator = kPathSeparator);

// The names (not paths) that the file system finds for a pattern whose last component may
// hold wildcards, in the order it returns them, without "." and "..": FindMatchingNames, or
// a listing held in memory.
using NameSearch = std::function<std::vector<std::wstring>(const std::wstring& pattern)>;

// The whole class path: every non-empty entry of the setting, its environment references
// expanded, resolved in order (a relative or wildcard entry adds one path per name found, in
// the file system's order, or nothing); with `embedJar` the launcher's own file comes first.
// Empty when nothing is left.
std::wstring BuildClassPath(std::wstring_view setting, bool embedJar,
                            const std::wstring& modulePath, const NameSearch& search);
std::wstring BuildClassPath(std::wstring_view setting, bool embedJar,
                            const std::wstring& modulePath);

} // namespace launcher
