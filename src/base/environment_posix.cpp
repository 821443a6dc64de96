#include "base/environment.h"

#include <cstdlib>

#include "base/environment_expansion.h"
#include "base/text.h"

namespace launcher {

std::optional<std::wstring> ReadEnvironmentVariable(const std::wstring& name) {
  const char* value = std::getenv(ToUtf8(name).c_str());
  if (value == nullptr) {
    return std::nullopt;
  }
  return FromUtf8(value);
}

bool WriteEnvironmentVariable(const std::wstring& name, const std::wstring& value) {
  return setenv(ToUtf8(name).c_str(), ToUtf8(value).c_str(), 1) == 0;
}

void ExpandEnvironment(std::wstring& text) {
  text = ExpandEnvironmentReferences(text, ReadEnvironmentVariable);
}

} // namespace launcher
