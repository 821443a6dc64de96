#pragma once

// Narrow text at the outside interfaces (VM options, file names for narrow APIs).
// Windows: the calling thread's ANSI code page (CP_THREAD_ACP); characters it cannot hold
// become its default character. Linux: UTF-8.

#include <string>
#include <string_view>

namespace launcher {

std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view text);

// True when the text comes back unchanged through ToAnsi and FromAnsi: no character is lost,
// replaced by the default character or by a look-alike. Windows: as the thread's code page
// allows (every text when that is UTF-8, but for lone surrogates). Linux: every text but
// lone surrogates.
bool RoundTripsThroughAnsi(std::wstring_view text);

} // namespace launcher
