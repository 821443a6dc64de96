#pragma once

// The launch trace: one line for each decision of a start, for a user who must find out why the
// launcher chose or refused something. The environment variable ZL_TRACE switches it on; unset
// or empty, StartTrace leaves it off and each Trace call costs one test of a flag, its text
// never built. "1" sends the trace to the platform's own place, any other value names a file
// that the trace is appended to (trace_sink.h). Each line starts with the milliseconds since
// StartTrace, which the entry point calls first.

#include <string>
#include <string_view>
#include <type_traits>

namespace launcher {

namespace trace_detail {

extern bool enabled;

void Append(std::wstring& line, std::wstring_view text);
// Narrow text of the VM boundary: the thread's ANSI code page on Windows, UTF-8 on Linux.
void Append(std::wstring& line, std::string_view text);
void Append(std::wstring& line, long long number);
void Append(std::wstring& line, double number); // three decimals
template <typename Number, std::enable_if_t<std::is_integral_v<Number>, int> = 0>
void Append(std::wstring& line, Number number) {
  Append(line, static_cast<long long>(number));
}
void Write(std::wstring line);

} // namespace trace_detail

// Reads ZL_TRACE once and, when it asks for a trace, opens where the trace goes (a trace that
// cannot be opened stays off) and starts the clock.
void StartTrace();

inline bool TraceEnabled() {
  return trace_detail::enabled;
}

// Milliseconds since StartTrace.
double TraceClock();

// The time a phase begins, for TracePhase; no clock is read when the trace is off.
inline double TracePhaseStart() {
  return trace_detail::enabled ? TraceClock() : 0.0;
}

// One line made of the parts (texts, narrow texts, numbers), when the trace is on.
template <typename... Parts> inline void Trace(const Parts&... parts) {
  if (!trace_detail::enabled) {
    return;
  }
  std::wstring line;
  (trace_detail::Append(line, parts), ...);
  trace_detail::Write(std::move(line));
}

// "phase NAME: N ms", from a TracePhaseStart.
inline void TracePhase(const wchar_t* name, double start) {
  if (trace_detail::enabled) {
    Trace(L"phase ", name, L": ", TraceClock() - start, L" ms");
  }
}

} // namespace launcher
