#pragma once

// Where the launch trace goes, by the value of ZL_TRACE. "1": Linux, standard error; Windows,
// the process's standard error when it has one (a console program, or a GUI program whose
// parent redirected it), else the console of the parent process (AttachConsole), else the file
// "<executable name>.trace.log" in the user's temporary folder. Any other value: a file that
// the trace is appended to, made when missing. The sink stays open until the process ends.

#include <string>

namespace launcher {

// False when nothing could be opened: then there is no trace.
bool OpenTraceSink(const std::wstring& value);

// Writes one whole line (ending in a line break) in one call, so that lines of two threads or
// two processes appending to one file do not interleave.
void WriteTraceSink(const std::wstring& line);

} // namespace launcher
