#include "jvm/hosting/memory_sizing.h"

#include <gtest/gtest.h>

namespace launcher {
namespace {

constexpr uint64_t kKb = 1024;
constexpr uint64_t kMax = UINT64_MAX;

MemoryFigures Figures(uint64_t physicalKb, uint64_t virtualKb) {
  return MemoryFigures{physicalKb * kKb, virtualKb * kKb};
}

TEST(MemoryPercentParameter, NeedsAnExactPrefixAndAPercentSuffix) {
  const struct {
    const wchar_t* parameter;
    bool expected;
  } cases[] = {
      {L"-Xmx50P", true},  {L"-Xms10:256p", true}, {L"-Xss1T", true},    {L"-Xmx50:0:0t", true},
      {L"-Xmx50%", false}, {L"-XMX50P", false},    {L"-Xmx512m", false}, {L"-Xmn50P", false},
      {L"-Xm", false},     {L"", false},           {L"-XmxP", true},     {L"-Dx=-Xmx50P", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsMemoryPercentParameter(c.parameter), c.expected) << c.parameter;
  }
}

TEST(MemoryPercentNumbers, StartAtTheFirstDigitOrColonAndStopBeforeTheSuffix) {
  const struct {
    const wchar_t* text;
    size_t prefixLength;
    std::vector<uint64_t> numbers;
  } cases[] = {
      {L"-Xmx25:512:2048p", 4, {25, 512, 2048}},
      {L"-Xmx:512P", 4, {0, 512}},
      {L"-Xmx5", 4, {0}},          // the only digit is the suffix position
      {L"-XmxP", 5, {}},           // no digit at all
      {L"-Xmx1x2:3P", 4, {12, 3}}, // other characters are skipped
      {L"-Xmx1:2:3:4P", 4, {1, 2, 3, 4}},
      // Numbers beyond 64 bits saturate instead of wrapping.
      {L"-Xmx99999999999999999999999:18446744073709551616P", 4, {kMax, kMax}},
  };
  for (const auto& c : cases) {
    const NumberList list = ParseNumberList(c.text);
    EXPECT_EQ(list.prefixLength, c.prefixLength) << c.text;
    EXPECT_EQ(list.numbers, c.numbers) << c.text;
  }
}

TEST(MemoryPercent, RewritesIntoKilobytes) {
  const struct {
    const wchar_t* parameter;
    MemoryFigures memory;
    const wchar_t* expected;
  } cases[] = {
      {L"-Xmx50P", Figures(8388608, 0), L"-Xmx4194304K"},
      {L"-Xmx25:512:2048p", Figures(16777216, 0), L"-Xmx2097152K"},
      {L"-Xms10:256P", Figures(1048576, 0), L"-Xms262144K"},
      {L"-Xmx0:300P", Figures(123, 0), L"-Xmx307200K"},
      {L"-Xmx200P", Figures(1000, 0), L"-Xmx2000K"},
      {L"-Xmx50:0:0T", Figures(1, 137438953472ULL), L"-Xmx68719476736K"},
      {L"-Xmx50t", Figures(1000, 3000), L"-Xmx1500K"},
      {L"-Xss1P", Figures(102400, 0), L"-Xss1024K"},
      {L"-XmxP", Figures(1000, 0), L"-XmxP0K"},
      // The base is the figure in whole kilobytes: 2047 bytes count as 1 KB.
      {L"-Xmx100P", MemoryFigures{2047, 0}, L"-Xmx1K"},
      // Truncated, not rounded: 33% of 10 KB is 3.3 KB.
      {L"-Xmx33P", Figures(10, 0), L"-Xmx3K"},
      // A cap that overflows does not cap.
      {L"-Xmx50:0:99999999999999999999P", Figures(1000, 0), L"-Xmx500K"},
  };
  for (const auto& c : cases) {
    std::wstring parameter = c.parameter;
    ApplyMemoryPercent(parameter, c.memory);
    EXPECT_EQ(parameter, c.expected) << c.parameter;
  }
}

TEST(MemoryPercent, SizesBeyondSixtyFourBitsSaturate) {
  const struct {
    const wchar_t* parameter;
    MemoryFigures memory;
  } cases[] = {
      // The product of base and percentage is beyond 2^64.
      {L"-Xmx100000000000000P", MemoryFigures{kMax, 0}},
      // The floor in megabytes times 1024.
      {L"-Xmx1:18014398509481984P", Figures(1, 0)},
      // A floor number that does not fit at all.
      {L"-Xmx1:99999999999999999999999P", Figures(1, 0)},
  };
  for (const auto& c : cases) {
    std::wstring parameter = c.parameter;
    ApplyMemoryPercent(parameter, c.memory);
    EXPECT_EQ(parameter, L"-Xmx18446744073709551615K") << c.parameter;
  }
}

TEST(StackSize, ParsesSizesWithUnits) {
  const struct {
    const wchar_t* text;
    uint64_t expected;
  } cases[] = {
      {L"512k", 524288},
      {L"512K", 524288},
      {L"2m", 2097152},
      {L"1G", 1073741824},
      {L"1048576", 1048576},
      {L"7", 7},
      {L"1x", 1},          // an unknown unit multiplies by 1
      {L"1_0m", 10485760}, // other characters before the last one are skipped
      {L"", 0},
      {L"k", 0},    // must begin with a digit
      {L"1:2m", 0}, // ":" before the last character
      {L"12:", 12}, // ":" as the last character is a unit of 1
      {L"16777215T", 16777215},
      {L"17179869184G", 0},            // 2^34 GiB does not fit in 64 bits
      {L"18446744073709551615", kMax}, // the largest value fits
      {L"18446744073709551616", 0},    // one more does not
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseStackSize(c.text), c.expected) << c.text;
  }
}

TEST(MemoryFigures, DescribeThisMachine) {
  const MemoryFigures figures = ReadMemoryFigures();
  EXPECT_GT(figures.totalPhysical, 16u * 1024 * 1024);
  EXPECT_GT(figures.availableVirtual, 0u);
}

} // namespace
} // namespace launcher
