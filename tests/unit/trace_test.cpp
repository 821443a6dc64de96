#include "base/trace.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/files.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

using testing::ScopedEnvironmentVariable;

// Off unless ZL_TRACE names where to go; on, each call is one line of its parts after the time
// since the start, appended to the file named.
TEST(Trace, WritesOneLineOfItsPartsOnlyWhenAsked) {
  testing::ScratchFolder folder;
  const std::wstring file = folder.Path(L"trace.log");
  for (const wchar_t* off : {L"", L"x/no/such/folder/trace.log"}) {
    ScopedEnvironmentVariable variable(L"ZL_TRACE", off == std::wstring() ? off : folder.Path(off));
    StartTrace();
    EXPECT_FALSE(TraceEnabled());
    EXPECT_EQ(TracePhaseStart(), 0.0);
    Trace(L"never");
  }
  {
    ScopedEnvironmentVariable variable(L"ZL_TRACE", file);
    StartTrace();
    ASSERT_TRUE(TraceEnabled());
    Trace(L"parts ", std::wstring(L"wide \u00e9"), L" ", std::string_view("narrow"), L" ", 42, L" ",
          -7, L" ", 1.5, L"");
    Trace(L"second");
  }
  {
    ScopedEnvironmentVariable variable(L"ZL_TRACE", L"");
    StartTrace(); // the other tests run untraced
  }
  const FileContents trace = ReadRegularFile(file, 4096);
  ASSERT_EQ(trace.result, FileReadResult::kRead);
  // Each line: the time with three decimals, " ms  ", the text.
  std::vector<std::string> texts;
  for (size_t start = 0, end; (end = trace.bytes.find('\n', start)) != std::string::npos;
       start = end + 1) {
    const std::string line = trace.bytes.substr(start, end - start);
    const size_t mark = line.find(" ms  ");
    ASSERT_NE(mark, std::string::npos) << line;
    EXPECT_EQ(line.find_first_not_of(" 0123456789"), mark - 4) << line;
    EXPECT_EQ(line[mark - 4], '.') << line;
    EXPECT_EQ(line.find_first_not_of("0123456789", mark - 3), mark) << line;
    texts.push_back(line.substr(mark + 5));
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"parts wide \xC3\xA9 narrow 42 -7 1.500", "second"}));
}

} // namespace
} // namespace launcher
