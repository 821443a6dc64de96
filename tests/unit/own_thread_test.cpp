#include "jvm/hosting/own_thread.h"

#include <thread>

#include <gtest/gtest.h>

namespace launcher {
namespace {

TEST(OwnThread, RunsTheProcedureOnAThreadOfItsOwnAndReturnsItsResult) {
  const std::thread::id caller = std::this_thread::get_id();
  std::thread::id runner;
  const uint32_t result = RunOnOwnThread(4u * 1024 * 1024, [&runner] {
    runner = std::this_thread::get_id();
    return 7u;
  });
  EXPECT_EQ(result, 7u);
  EXPECT_NE(runner, caller);
}

TEST(OwnThread, TheDefaultStackSizeWorks) {
  EXPECT_EQ(RunOnOwnThread(0, [] { return 1u; }), 1u);
}

TEST(OwnThread, ATooSmallStackSizeStillRuns) {
  int depth = 0;
  EXPECT_EQ(RunOnOwnThread(1,
                           [&depth] {
                             volatile char buffer[4096] = {};
                             depth = buffer[0] + 1;
                             return 3u;
                           }),
            3u);
  EXPECT_EQ(depth, 1);
}

TEST(OwnThread, RunsOnTheCallingThreadWhenNoThreadCanBeCreated) {
  const std::thread::id caller = std::this_thread::get_id();
  std::thread::id runner;
  // No system can give a thread a stack of 2^62 bytes.
  const uint32_t result = RunOnOwnThread(uint64_t{1} << 62, [&runner] {
    runner = std::this_thread::get_id();
    return 5u;
  });
  EXPECT_EQ(result, 5u);
  EXPECT_EQ(runner, caller);
}

} // namespace
} // namespace launcher
