#pragma once

// The text of a registry value as the runtime search reads it (a vendor key's "JavaHome"):
// the bytes RegQueryValueExW returned, taken as little-endian UTF-16 up to the first NUL or
// their end, whatever the value's registry type says. An odd last byte cannot form a unit and
// is dropped. Portable, so that it is fuzzed and tested anywhere.

#include <string>
#include <string_view>

namespace launcher {

std::u16string RegistryValueText(std::string_view bytes);

} // namespace launcher
