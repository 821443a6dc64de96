#pragma once

// Text to a standard handle. Included only by *_win.cpp files.

#include <string>

#include "base/windows_api.h"

namespace launcher {

// A console gets the UTF-16 units through WriteConsoleW, so that every character shows as it
// is; a file or a pipe gets the UTF-8 bytes. Nothing happens for an invalid handle.
void WriteTextToHandle(HANDLE handle, const std::wstring& text);

} // namespace launcher
