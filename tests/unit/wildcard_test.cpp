#include "base/wildcard.h"

#include <gtest/gtest.h>

#include "base/text.h"

namespace launcher {
namespace {

TEST(Wildcard, MatchesAsTheFileSearchDoes) {
  struct Case {
    std::wstring pattern, name;
    bool ignoringCase, exactCase;
  };
  const Case cases[] = {
      {L"*.jar", L"app.jar", true, true},
      {L"*.jar", L"app.JAR", true, false},
      {L"*.jar", L"app.jar.bak", false, false},
      {L"*", L"", true, true},
      {L"a?c", L"abc", true, true},
      {L"a?c", L"ac", false, false},
      {L"*a*b*", L"xxaxxbxx", true, true},
      {L"*a*b", L"ab_ab_a", false, false},
      {L"", L"a", false, false},
      {L"***", L"a", true, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchesWildcard(c.pattern, c.name, true), c.ignoringCase)
        << ToUtf8(c.pattern) << " " << ToUtf8(c.name);
    EXPECT_EQ(MatchesWildcard(c.pattern, c.name, false), c.exactCase)
        << ToUtf8(c.pattern) << " " << ToUtf8(c.name);
  }
}

TEST(Wildcard, ManyStarsStayFast) {
  // Backtracking over every star would take exponential time here.
  const std::wstring pattern = std::wstring(30, L'*') + L"b";
  EXPECT_FALSE(MatchesWildcard(pattern, std::wstring(2000, L'a'), false));
}

TEST(Wildcard, RecognisesWildcardCharacters) {
  EXPECT_TRUE(HasWildcard(L"lib\\*"));
  EXPECT_TRUE(HasWildcard(L"a?.jar"));
  EXPECT_FALSE(HasWildcard(L"lib\\a.jar"));
}

} // namespace
} // namespace launcher
