#include "base/java_version.h"

#include <cstdint>

#include "base/message_ids.h"
#include "base/string_table.h"
#include "base/text_format.h"

namespace launcher {
namespace {

constexpr int32_t kUnboundedPart = 65535;

bool IsDigit(wchar_t c) {
  return c >= L'0' && c <= L'9';
}

} // namespace

bool operator==(const JavaVersion& a, const JavaVersion& b) {
  return CompareVersions(a, b) == 0;
}
bool operator!=(const JavaVersion& a, const JavaVersion& b) {
  return !(a == b);
}

JavaVersion ParseVersion(std::wstring_view text, int32_t fill) {
  JavaVersion version;
  size_t i = 0;
  int read = 0;
  while (read < 4) {
    while (i < text.size() && !IsDigit(text[i])) {
      ++i;
    }
    if (i == text.size()) {
      break;
    }
    int64_t value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      value = value * 10 + (text[i] - L'0');
      if (value > INT32_MAX) {
        return JavaVersion();
      }
    }
    version.parts[read++] = static_cast<int32_t>(value);
  }
  if (read > 0) {
    for (int k = read; k < 4; ++k) {
      version.parts[k] = fill;
    }
  }
  return version;
}

int CompareVersions(const JavaVersion& a, const JavaVersion& b) {
  for (int k = 0; k < 4; ++k) {
    if (a.parts[k] != b.parts[k]) {
      return a.parts[k] < b.parts[k] ? -1 : 1;
    }
  }
  return 0;
}

bool IsUnboundedVersion(const JavaVersion& version) {
  return version == kAnyMinimumVersion || version == kAnyMaximumVersion;
}

std::wstring FormatVersion(const JavaVersion& version) {
  int last = -1;
  for (int k = 3; k >= 0; --k) {
    if (version.parts[k] != 0 && version.parts[k] != kUnboundedPart) {
      last = k;
      break;
    }
  }
  if (last < 0) {
    return L"0.0.0.0";
  }
  if (last < 1) {
    // At least two parts are shown, but a second part that only fills an open maximum
    // (9 read as 9.65535.65535.65535) is not a version anyone wrote: it is left out.
    if (version.parts[1] == kUnboundedPart) {
      return std::to_wstring(version.parts[0]);
    }
    last = 1;
  }
  std::wstring text = std::to_wstring(version.parts[0]);
  for (int k = 1; k <= last; ++k) {
    text += L'.';
    text += std::to_wstring(version.parts[k]);
  }
  return text;
}

bool MatchesPreferred(const JavaVersion& candidate, const JavaVersion& preferred) {
  if (candidate == preferred) {
    return true;
  }
  int significant = 4;
  while (significant > 0 && preferred.parts[significant - 1] == 0) {
    --significant;
  }
  for (int k = 0; k < significant; ++k) {
    if (candidate.parts[k] != preferred.parts[k]) {
      return false;
    }
  }
  return true;
}

std::wstring RequirementText(const JavaVersion& minimum, const JavaVersion& maximum) {
  const bool anyMinimum = IsUnboundedVersion(minimum);
  const bool anyMaximum = IsUnboundedVersion(maximum);
  if (anyMinimum && anyMaximum) {
    return LoadResourceString(kMsgLatestVersion);
  }
  if (anyMinimum) {
    return FormatText(LoadResourceString(kMsgMaximumVersion), {FormatVersion(maximum)});
  }
  if (anyMaximum) {
    return FormatText(LoadResourceString(kMsgMinimumVersion), {FormatVersion(minimum)});
  }
  if (minimum == maximum) {
    return FormatText(LoadResourceString(kMsgExactVersion), {FormatVersion(minimum)});
  }
  return FormatText(LoadResourceString(kMsgVersionRange),
                    {FormatVersion(minimum), FormatVersion(maximum)});
}

} // namespace launcher
