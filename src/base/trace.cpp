#include "base/trace.h"

#include <chrono>
#include <cwchar>
#include <optional>

#include "base/environment.h"
#include "base/narrow_text.h"
#include "base/trace_sink.h"

namespace launcher {
namespace trace_detail {

bool enabled = false;

namespace {
std::chrono::steady_clock::time_point start;
} // namespace

void Append(std::wstring& line, std::wstring_view text) {
  line += text;
}

void Append(std::wstring& line, std::string_view text) {
  line += FromAnsi(text);
}

void Append(std::wstring& line, long long number) {
  line += std::to_wstring(number);
}

void Append(std::wstring& line, double number) {
  wchar_t text[64];
  std::swprintf(text, sizeof text / sizeof text[0], L"%.3f", number);
  line += text;
}

void Write(std::wstring line) {
  wchar_t stamp[32];
  std::swprintf(stamp, sizeof stamp / sizeof stamp[0], L"%9.3f ms  ", TraceClock());
  WriteTraceSink(stamp + line + L"\n");
}

} // namespace trace_detail

void StartTrace() {
  trace_detail::start = std::chrono::steady_clock::now();
  const std::optional<std::wstring> value = ReadEnvironmentVariable(L"ZL_TRACE");
  trace_detail::enabled = value && !value->empty() && OpenTraceSink(*value);
}

double TraceClock() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                   trace_detail::start)
      .count();
}

} // namespace launcher
