// Parses arbitrary text as a Java version and checks that the result is well formed: parts
// are never negative, formatting gives digits and dots only, and the formatted text of a
// version read with fill 0 and without open parts reads back as the same version.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/java_version.h"
#include "base/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace launcher;
  const std::wstring text = FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  for (int32_t fill : {0, 65535}) {
    const JavaVersion version = ParseVersion(text, fill);
    for (int32_t part : version.parts) {
      if (part < 0) {
        std::abort();
      }
    }
    const std::wstring formatted = FormatVersion(version);
    if (formatted.find_first_not_of(L"0123456789.") != std::wstring::npos) {
      std::abort();
    }
    const JavaVersion again = ParseVersion(formatted, fill);
    bool open = false;
    for (int32_t part : version.parts) {
      open = open || part == 65535;
    }
    if (fill == 0 && !open && !IsUnboundedVersion(version) &&
        CompareVersions(again, version) != 0) {
      std::abort();
    }
    if (!MatchesPreferred(version, version) || !MatchesPreferred(version, JavaVersion())) {
      std::abort();
    }
    if (CompareVersions(version, again) != -CompareVersions(again, version)) {
      std::abort();
    }
  }
  return 0;
}
