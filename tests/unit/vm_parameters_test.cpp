#include "jvm/hosting/vm_parameters.h"

#include <gtest/gtest.h>

namespace launcher {
namespace {

using Strings = std::vector<std::wstring>;

MemoryFigureSource FixedMemory(uint64_t physicalBytes, uint64_t virtualBytes) {
  return [=] { return MemoryFigures{physicalBytes, virtualBytes}; };
}

MemoryFigureSource NoMemoryRead() {
  return [] {
    ADD_FAILURE() << "memory figures read for a parameter without a percentage";
    return MemoryFigures{};
  };
}

TEST(ParameterEnd, IsTheFirstBlankOutsideQuotes) {
  const struct {
    const wchar_t* value;
    size_t start;
    size_t expected;
  } cases[] = {
      {L"-ea -da", 0, 3},
      {L"-ea", 0, 3},
      {L"-Dname=\"a b\" -ea", 0, 12},
      {L"-Dname=\"a b\"", 0, 12},
      {L"\"a b\"\"c d\" x", 0, 7}, // a quote right after the closing quote closes with it
      {L"\"a\" \"b c\"", 0, 3},
      {L"-D\"x y", 0, 4},           // unclosed: ends at the first blank after the quote
      {L"-D\"xy", 0, 5},            // unclosed and no blank: the whole value
      {L"a\"b\"c\"d e\" f", 0, 10}, // two quoted parts in one parameter
      {L"x -y", 2, 4},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindParameterEnd(c.value, c.start), c.expected) << c.value;
  }
}

TEST(StripQuotes, RemovesPairsOfQuotes) {
  const struct {
    const wchar_t* parameter;
    const wchar_t* expected;
  } cases[] = {
      {L"-Dname=\"a b\"", L"-Dname=a b"},
      {L"\"-Dx=1\"", L"-Dx=1"},
      {L"-D\"a\"\"b\"", L"-Da\"b\""}, // a doubled closing quote leaves one; the last is unpaired
      {L"\"a\"\"", L"a\""},
      {L"-Dx=\"", L"-Dx=\""}, // an unpaired quote stays
      {L"\"\"", L""},
      {L"a\"b\"c\"d\"e", L"abcde"},
      {L"\"a\"b\"c", L"ab\"c"},
      {L"plain", L"plain"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StripQuotes(c.parameter), c.expected) << c.parameter;
  }
}

TEST(SplitVmParameters, SplitsAtBlanksOutsideQuotes) {
  const struct {
    const wchar_t* value;
    Strings expected;
  } cases[] = {
      {L"-Xmx512m  -Dname=\"a b\" -ea", {L"-Xmx512m", L"-Dname=a b", L"-ea"}},
      {L"   -ea", {L"-ea"}}, // a value from a "+" section starts with a blank
      {L"-ea   ", {L"-ea"}},
      {L"", {}},
      {L"    ", {}},
      {L"\"-Dpath=C:\\Program Files\\x\" -Dy=\"\"", {L"-Dpath=C:\\Program Files\\x", L"-Dy="}},
      {L"-D\"x y", {L"-D\"x", L"y"}},
  };
  for (const auto& c : cases) {
    Strings workList;
    uint64_t stackSize = 0;
    SplitVmParameters(c.value, workList, stackSize, NoMemoryRead());
    EXPECT_EQ(workList, c.expected) << c.value;
    EXPECT_EQ(stackSize, 0u);
  }
}

TEST(VmParameter, SizesAreComputedAfterUnquotingAndXssSetsTheThreadStackSize) {
  const struct {
    const wchar_t* value;
    uint64_t stackSize;
    Strings options;
  } cases[] = {
      {L"-Xss512k", 524288, {L"-Xss512k"}},
      {L"-Xss2m -Xss1048576", 1048576, {L"-Xss2m", L"-Xss1048576"}}, // the last one wins
      {L"-Xss2m -Xssbig", 0, {L"-Xss2m", L"-Xssbig"}},               // a non-size resets it
      {L"-Xss1:2m", 0, {L"-Xss1:2m"}},
      {L"-XSS2m", 7, {L"-XSS2m"}},          // case matters
      {L"-Xss1P", 1048576, {L"-Xss1024K"}}, // 1 % of 100 MiB, in KB
      {L"\"-Xmx50P\" -Xms10:256P -Xmx50%", 7, {L"-Xmx51200K", L"-Xms262144K", L"-Xmx50%"}},
  };
  for (const auto& c : cases) {
    Strings workList;
    uint64_t stackSize = 7;
    SplitVmParameters(c.value, workList, stackSize, FixedMemory(100ULL * 1024 * 1024, 0));
    EXPECT_EQ(stackSize, c.stackSize) << c.value;
    EXPECT_EQ(workList, c.options) << c.value;
  }
}

} // namespace
} // namespace launcher
