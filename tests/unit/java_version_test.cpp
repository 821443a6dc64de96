#include "base/java_version.h"

#include <gtest/gtest.h>

#include "base/text.h"

namespace launcher {
namespace {

constexpr int32_t kOpen = 65535;

std::string Show(const JavaVersion& v) {
  return ToUtf8(FormatVersion(v));
}

TEST(ParseVersion, ReadsTheFirstFourDigitRuns) {
  struct Case {
    std::wstring text;
    int32_t fill;
    JavaVersion expected;
  };
  const Case cases[] = {
      {L"1.8.0_151", 0, {{1, 8, 0, 151}}},
      {L"1.6", kOpen, {{1, 6, kOpen, kOpen}}},
      {L"jdk-11.0.2+9", 0, {{11, 0, 2, 9}}},
      {L"1.2.3.4.5", 0, {{1, 2, 3, 4}}},
      {L"", kOpen, {{0, 0, 0, 0}}},
      {L"-5", 0, {{5, 0, 0, 0}}},                  // signs are separators
      {L"1.2147483648", kOpen, {{0, 0, 0, 0}}},    // too large: the whole parse fails
      {L"1.2.3.4.99999999999", 0, {{1, 2, 3, 4}}}, // the fifth run is never read
      {L"\u0661.\u0662", 0, {{0, 0, 0, 0}}},       // only ASCII digits count
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseVersion(c.text, c.fill), c.expected) << ToUtf8(c.text);
  }
}

TEST(CompareVersions, RangesIncludeBothBounds) {
  const JavaVersion minimum = ParseVersion(L"1.6", 0);
  const JavaVersion maximum = ParseVersion(L"1.8", kOpen);
  auto inRange = [&](const wchar_t* text) {
    const JavaVersion v = ParseVersion(text, 0);
    return CompareVersions(minimum, v) <= 0 && CompareVersions(v, maximum) <= 0;
  };
  EXPECT_TRUE(inRange(L"1.6.0.0"));
  EXPECT_TRUE(inRange(L"1.8.0_151"));
  EXPECT_FALSE(inRange(L"1.5.0_22"));
  EXPECT_FALSE(inRange(L"9.0.0.0"));
  EXPECT_EQ(CompareVersions(ParseVersion(L"1.8.0_20", 0), ParseVersion(L"1.8.0_151", 0)), -1);
}

TEST(FormatVersion, ShowsTheSignificantParts) {
  struct Case {
    JavaVersion version;
    std::wstring text;
  };
  const Case cases[] = {
      {{{1, 8, 0, 0}}, L"1.8"},
      {{{1, 8, 0, 151}}, L"1.8.0.151"},
      {{{1, 8, kOpen, kOpen}}, L"1.8"},
      {{{kOpen, kOpen, kOpen, kOpen}}, L"0.0.0.0"},
      {{{1, kOpen, 0, 5}}, L"1.65535.0.5"},
      {{{9, kOpen, kOpen, kOpen}}, L"9"}, // a maximum of 9 is not shown as 9.65535
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatVersion(c.version), c.text);
  }
}

TEST(MatchesPreferred, TrailingZerosOfTheEntryAreWildcards) {
  struct Case {
    std::wstring candidate, preferred;
    bool matches;
  };
  const Case cases[] = {
      {L"1.8.0_151", L"1.8", true}, {L"1.7.0_80", L"1.8", false}, {L"11.0.2", L"11", true},
      {L"1.11", L"11", false},      {L"9.0.1", L"", true},        {L"1.0.1.5", L"1.0.0.5", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchesPreferred(ParseVersion(c.candidate, 0), ParseVersion(c.preferred, 0)),
              c.matches)
        << ToUtf8(c.candidate) << " against " << ToUtf8(c.preferred);
  }
}

TEST(RequirementText, NamesTheRequiredRange) {
  struct Case {
    JavaVersion minimum, maximum;
    std::wstring text;
  };
  const Case cases[] = {
      {kAnyMinimumVersion, kAnyMaximumVersion, L"latest version"},
      {kAnyMinimumVersion, ParseVersion(L"1.8", kOpen), L"maximum version 1.8"},
      {ParseVersion(L"1.6", 0), kAnyMaximumVersion, L"minimum version 1.6"},
      {ParseVersion(L"1.8.0_151", 0), ParseVersion(L"1.8.0_151", kOpen),
       L"version 1.8.0.151 is required"},
      {ParseVersion(L"1.8", 0), ParseVersion(L"1.8", kOpen), L"version between 1.8 and 1.8"},
      {ParseVersion(L"1.6", 0), ParseVersion(L"9", kOpen), L"version between 1.6 and 9"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RequirementText(c.minimum, c.maximum), c.text)
        << Show(c.minimum) << " - " << Show(c.maximum);
  }
}

} // namespace
} // namespace launcher
