#pragma once

// The launch trace: one line for each decision of a start, for a user who must find out why the
// launcher chose or refused something. The environment variable ZL_TRACE switches it on; unset
// or empty, StartTrace leaves it off and each Trace call costs one test of a flag, its text
// never built. "1" sends the trace to the platform's own place, any other value names a file
// that the trace is appended to (trace_sink.h). Each line starts with the milliseconds since
// StartTrace, which the entry point calls first.

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

namespace launcher {

namespace trace_detail {

extern bool enabled;

// Tells the compiler that the trace is off, so that the code of each trace point goes with the
// code that seldom runs, away from the pages of a start.
inline bool On() {
  return __builtin_expect(enabled, false);
}

// One piece of a line, held by reference until the line is written: a call site only lays
// out a few of these, and the text is built once, out of line.
struct Part {
  enum class Kind { kWide, kNarrow, kInteger, kDecimal };
  struct Text {
    const void* data;
    size_t size;
  };
  Kind kind;
  union {
    Text text; // wide, or narrow text of the VM boundary (the ANSI code page on
               // Windows, UTF-8 on Linux)
    long long integer;
    double decimal; // written with three decimals
  };

  Part(std::wstring_view wide) : kind(Kind::kWide), text{wide.data(), wide.size()} {}
  Part(const std::wstring& wide) : Part(std::wstring_view(wide)) {}
  Part(const wchar_t* wide) : Part(std::wstring_view(wide)) {}
  Part(std::string_view narrow) : kind(Kind::kNarrow), text{narrow.data(), narrow.size()} {}
  Part(double number) : kind(Kind::kDecimal), decimal(number) {}
  template <typename Number, std::enable_if_t<std::is_integral_v<Number>, int> = 0>
  Part(Number number) : kind(Kind::kInteger), integer(static_cast<long long>(number)) {}
};

void Write(std::initializer_list<Part> parts);

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
  return trace_detail::On() ? TraceClock() : 0.0;
}

// One line made of the parts (texts, narrow texts, numbers), when the trace is on.
template <typename... Parts> inline void Trace(const Parts&... parts) {
  if (trace_detail::On()) {
    trace_detail::Write({trace_detail::Part(parts)...});
  }
}

// "phase NAME: N ms", from a TracePhaseStart.
inline void TracePhase(const wchar_t* name, double start) {
  if (trace_detail::On()) {
    Trace(L"phase ", name, L": ", TraceClock() - start, L" ms");
  }
}

} // namespace launcher
