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

void Write(std::initializer_list<Part> parts) {
  wchar_t number[64];
  std::swprintf(number, sizeof number / sizeof number[0], L"%9.3f ms  ", TraceClock());
  std::wstring line = number;
  for (const Part& part : parts) {
    switch (part.kind) {
    case Part::Kind::kWide:
      line.append(static_cast<const wchar_t*>(part.text.data), part.text.size);
      break;
    case Part::Kind::kNarrow:
      line += FromAnsi(std::string_view(static_cast<const char*>(part.text.data), part.text.size));
      break;
    case Part::Kind::kInteger:
      line += std::to_wstring(part.integer);
      break;
    case Part::Kind::kDecimal:
      std::swprintf(number, sizeof number / sizeof number[0], L"%.3f", part.decimal);
      line += number;
      break;
    }
  }
  line += L'\n';
  WriteTraceSink(line);
}

} // namespace trace_detail

void StartTrace() {
  const std::optional<std::wstring> value = ReadEnvironmentVariable(L"ZL_TRACE");
  if (!value || value->empty()) {
    return; // not even the clock is read
  }
  trace_detail::start = std::chrono::steady_clock::now();
  trace_detail::enabled = OpenTraceSink(*value);
}

double TraceClock() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                   trace_detail::start)
      .count();
}

} // namespace launcher
