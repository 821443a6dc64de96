#pragma once

// VM options reach the VM as narrow text: on Windows in the thread's ANSI code page, which
// turns every character it lacks into "?" or a look-alike. A path with such a character
// names nothing: an application installed under a user folder in Chinese or Greek letters on
// a Western system would get a class path and a library path that lead nowhere. Such paths go
// to the VM by their short (8.3) names instead, which survive the conversion. Linux converts
// to UTF-8 and loses nothing.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/platform.h"

namespace launcher {

using TextCheck = std::function<bool(std::wstring_view text)>;
using ShortNameLookup = std::function<std::optional<std::wstring>(const std::wstring& path)>;

// The option with each of its paths that fails `survives` replaced by its short name, when
// the lookup finds one that passes; paths without one stay as they are. The paths of an
// option are in the text after its first "=": that text as one path, or, when it has no
// short name, each entry of it as a list (the class path, the library path). An option
// without "=", or whose text after it passes, stays as it is. The list separator is a
// parameter so that the Windows rule is tested on Linux too.
std::wstring WithShortNamesForLostPaths(std::wstring_view option, const TextCheck& survives,
                                        const ShortNameLookup& shortName,
                                        wchar_t listSeparator = kPathListSeparator);

// The option as the VM gets it: ToAnsi, with the short names of the paths that it would
// otherwise lose.
std::string NarrowVmOption(const std::wstring& option);

} // namespace launcher
