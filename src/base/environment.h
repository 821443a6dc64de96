#pragma once

// The process environment. Windows: the wide environment functions; variable names match
// without regard to case. Linux: the C environment in UTF-8; names match exactly.

#include <optional>
#include <string>

namespace launcher {

std::optional<std::wstring> ReadEnvironmentVariable(const std::wstring& name);
bool WriteEnvironmentVariable(const std::wstring& name, const std::wstring& value);

// Replaces each %NAME% whose variable is set by its value; other %...% sequences stay.
// On failure the text is left unchanged.
void ExpandEnvironment(std::wstring& text);

} // namespace launcher
