#include "base/environment.h"
#include "base/environment_expansion.h"

#include <map>

#include <gtest/gtest.h>

#include "base/text.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

TEST(EnvironmentExpansion, ReplacesOnlyVariablesThatAreSet) {
  const std::map<std::wstring, std::wstring> variables = {{L"A", L"x"}, {L"B", L"y"}, {L"E", L""}};
  const EnvironmentLookup lookup = [&](const std::wstring& name) -> std::optional<std::wstring> {
    const auto found = variables.find(name);
    return found == variables.end() ? std::nullopt : std::optional<std::wstring>(found->second);
  };
  struct Case {
    std::wstring text, expected;
  };
  const Case cases[] = {
      {L"%A%%B%", L"xy"},
      {L"pre %A% post", L"pre x post"},
      {L"%E%|", L"|"},
      {L"%UNSET%", L"%UNSET%"},
      {L"%UNSET%A%", L"%UNSETx"}, // the second "%" opens the next reference
      {L"a%A", L"a%A"},
      {L"%A%B", L"xB"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExpandEnvironmentReferences(c.text, lookup), c.expected) << ToUtf8(c.text);
  }
}

TEST(ProcessEnvironment, ReadsWritesAndExpandsWholeValues) {
  const std::wstring name = L"LAUNCHER_UNIT_TEST_VARIABLE";
  const std::wstring longValue(5000, L'v'); // longer than any fixed path buffer
  testing::ScopedEnvironmentVariable variable(name, longValue);
  EXPECT_EQ(ReadEnvironmentVariable(name), longValue);

  std::wstring text = L"[%LAUNCHER_UNIT_TEST_VARIABLE%] %LAUNCHER_UNIT_TEST_UNSET%";
  ExpandEnvironment(text);
  EXPECT_EQ(text, L"[" + longValue + L"] %LAUNCHER_UNIT_TEST_UNSET%");

  EXPECT_FALSE(ReadEnvironmentVariable(L"LAUNCHER_UNIT_TEST_UNSET").has_value());
}

} // namespace
} // namespace launcher
