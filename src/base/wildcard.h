#pragma once

#include <string_view>

namespace launcher {

// File-name wildcards as the Windows file search reads them: "*" matches any run of
// characters, "?" any one character; everything else matches itself. Letters are compared
// without regard to ASCII case when ignoreCase is set (Windows file names), exactly otherwise.
bool MatchesWildcard(std::wstring_view pattern, std::wstring_view name, bool ignoreCase);

bool HasWildcard(std::wstring_view text);

} // namespace launcher
