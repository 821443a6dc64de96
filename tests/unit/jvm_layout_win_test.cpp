#include "jvm/discovery/jvm_layout.h"

#include <gtest/gtest.h>

namespace launcher {
namespace {

TEST(RuntimeFoldersTest, WindowsFoldersAreCutFromTheLibraryPath) {
  const std::wstring library = L"C:\\Java\\jre\\bin\\server\\jvm.dll";
  EXPECT_EQ(RuntimeHome(library), L"C:\\Java\\jre");
  EXPECT_EQ(RuntimeBinFolder(library), L"C:\\Java\\jre\\bin");
  EXPECT_EQ(RuntimeLibFolder(library), L"C:\\Java\\jre\\lib");
}

} // namespace
} // namespace launcher
