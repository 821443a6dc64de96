#include "jvm/hosting/vm_option_paths.h"

#include "base/narrow_text.h"
#include "base/short_path_name.h"

namespace launcher {
namespace {

// The short name to use for a path, when the path itself would not survive.
std::optional<std::wstring> SurvivingName(const std::wstring& path, const TextCheck& survives,
                                          const ShortNameLookup& shortName) {
  if (path.empty() || survives(path)) {
    return std::nullopt;
  }
  std::optional<std::wstring> name = shortName(path);
  if (name && survives(*name)) {
    return name;
  }
  return std::nullopt;
}

} // namespace

std::wstring WithShortNamesForLostPaths(std::wstring_view option, const TextCheck& survives,
                                        const ShortNameLookup& shortName, wchar_t listSeparator) {
  const size_t equals = option.find(L'=');
  if (equals == std::wstring_view::npos) {
    return std::wstring(option);
  }
  const std::wstring value(option.substr(equals + 1));
  if (survives(value)) {
    return std::wstring(option);
  }
  std::wstring result(option.substr(0, equals + 1));
  if (const std::optional<std::wstring> name = SurvivingName(value, survives, shortName)) {
    return result + *name;
  }
  for (size_t start = 0;;) {
    const size_t end = value.find(listSeparator, start);
    const std::wstring entry = value.substr(start, end == std::wstring::npos ? end : end - start);
    result += SurvivingName(entry, survives, shortName).value_or(entry);
    if (end == std::wstring::npos) {
      return result;
    }
    result += listSeparator;
    start = end + 1;
  }
}

std::string NarrowVmOption(const std::wstring& option) {
  std::string narrow = ToAnsi(option);
  if (FromAnsi(narrow) == option) {
    return narrow;
  }
  return ToAnsi(WithShortNamesForLostPaths(option, RoundTripsThroughAnsi, ShortPathName));
}

} // namespace launcher
