#pragma once

// The launcher's command line. The splitting rule is the launcher's own, not the C runtime's:
// only the blank separates pieces, a double quote opens a piece that ends at the next double
// quote, and backslashes mean nothing.
//
// Where the arguments come from differs by platform. Windows: the process command line
// (GetCommandLineW), trimmed of white space at both ends, split by the rule, with the program
// name dropped. Linux has no single command line: the argument vector of the process is
// taken as it was given (/proc/self/cmdline), with the program name dropped and empty
// arguments kept, so a shell's quoting reaches the application unchanged.

#include <string>
#include <string_view>
#include <vector>

namespace launcher {

// Appends the pieces of text to list, in order. An empty text adds nothing.
void SplitCommandLine(std::wstring_view text, std::vector<std::wstring>& list);

// The arguments of a whole command line: trimmed of white space (as the C runtime's wide
// classification counts it) at both ends, split, and without its first piece.
std::vector<std::wstring> ArgumentsFromCommandLine(std::wstring_view commandLine);

// The arguments of a NUL-separated argument vector in UTF-8 (the form of /proc/self/cmdline),
// without its first element. Empty arguments stay; invalid UTF-8 becomes U+FFFD.
std::vector<std::wstring> ArgumentsFromArgumentBlock(std::string_view block);

// Fills arguments with the process's arguments after the program name.
void ParseCommandLine(std::vector<std::wstring>& arguments);

} // namespace launcher
