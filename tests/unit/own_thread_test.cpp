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

TEST(OwnThread, RunsWithTheDefaultOrATooSmallStackSize) {
  for (const uint64_t stackSize : {uint64_t{0}, uint64_t{1}}) {
    EXPECT_EQ(RunOnOwnThread(stackSize,
                             [] {
                               volatile char buffer[4096] = {};
                               return buffer[0] + 3u;
                             }),
              3u)
        << stackSize;
  }
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
