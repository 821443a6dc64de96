// Expands arbitrary text against an environment made of the input's own "NAME=value" lines
// (the text to expand is the part after the first empty line) and checks what the rule
// promises: text without "%" comes back unchanged, and without any variable set the text
// comes back whole.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string_view>

#include "base/environment_expansion.h"
#include "base/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring input =
      launcher::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  const size_t split = input.find(L"\n\n");
  const std::wstring_view definitions =
      std::wstring_view(input).substr(0, split == std::wstring::npos ? 0 : split);
  const std::wstring text = input.substr(split == std::wstring::npos ? 0 : split + 2);

  std::map<std::wstring, std::wstring> variables;
  for (const std::wstring& line : launcher::SplitList(definitions, L'\n')) {
    const size_t equals = line.find(L'=');
    if (equals != std::wstring::npos) {
      variables[line.substr(0, equals)] = line.substr(equals + 1);
    }
  }
  const auto lookup = [&variables](const std::wstring& name) -> std::optional<std::wstring> {
    const auto found = variables.find(name);
    return found == variables.end() ? std::nullopt : std::optional<std::wstring>(found->second);
  };
  const std::wstring expanded = launcher::ExpandEnvironmentReferences(text, lookup);
  if (text.find(L'%') == std::wstring::npos && expanded != text) {
    std::abort();
  }
  const auto none = [](const std::wstring&) { return std::optional<std::wstring>(); };
  if (launcher::ExpandEnvironmentReferences(text, none) != text) {
    std::abort();
  }
  return 0;
}
