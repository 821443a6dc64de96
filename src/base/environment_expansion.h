#pragma once

// The %NAME% expansion rule as Windows applies it, for platforms without
// ExpandEnvironmentStringsW: a reference is replaced when the variable is set; an unknown
// name, an empty "%%" and an unpaired "%" are copied as they stand.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace launcher {

using EnvironmentLookup = std::function<std::optional<std::wstring>(const std::wstring&)>;

std::wstring ExpandEnvironmentReferences(std::wstring_view text, const EnvironmentLookup& lookup);

} // namespace launcher
