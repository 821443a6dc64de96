#include "base/command_line.h"

#include <gtest/gtest.h>

#include "base/text.h"

namespace launcher {
namespace {

TEST(PosixCommandLine, ArgumentsAreTheProcessArgumentVector) {
  // GoogleTest keeps the vector the test program was started with.
  const std::vector<std::string> argv = ::testing::internal::GetArgvs();
  std::vector<std::wstring> expected;
  for (size_t i = 1; i < argv.size(); ++i) {
    expected.push_back(FromUtf8(argv[i]));
  }
  std::vector<std::wstring> arguments = {L"stale"};
  ParseCommandLine(arguments);
  EXPECT_EQ(arguments, expected);
}

} // namespace
} // namespace launcher
