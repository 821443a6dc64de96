#include "jvm/hosting/vm_option_paths.h"

#include <algorithm>
#include <map>

#include <gtest/gtest.h>

#include "base/text.h"

namespace launcher {
namespace {

TEST(VmOptionPaths, LostPathsGoByTheirShortNames) {
  // A Western code page, and a file system with a few short names.
  const TextCheck latin1 = [](std::wstring_view text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return unsigned(c) <= 0xFF; });
  };
  const std::map<std::wstring, std::wstring> shortNames = {
      {L"C:\\\u4e2d\\a.jar", L"C:\\ZH~1\\A.JAR"}, {L"C:\\\u03a9", L"C:\\OM~1"},
      {L"C:\\\u03a9;x", L"C:\\SEMI~1"},           {L"C:\\\u4e2d\\lossy", L"C:\\\u4e2d\\LO~1"},
      {L"C:\\plain.jar", L"C:\\PLAIN~1.JAR"},
  };
  const ShortNameLookup lookup = [&shortNames](const std::wstring& path) {
    const auto found = shortNames.find(path);
    return found == shortNames.end() ? std::nullopt : std::optional(found->second);
  };
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"-Djava.class.path=C:\\\u4e2d\\a.jar;C:\\plain.jar;C:\\\u4e2d\\gone.jar;",
       L"-Djava.class.path=C:\\ZH~1\\A.JAR;C:\\plain.jar;C:\\\u4e2d\\gone.jar;"},
      {L"-Dhome=C:\\\u03a9", L"-Dhome=C:\\OM~1"},
      {L"-Dhome=C:\\\u03a9;x", L"-Dhome=C:\\SEMI~1"},           // a folder with ";" in its name
      {L"-Dlog=C:\\\u4e2d\\lossy", L"-Dlog=C:\\\u4e2d\\lossy"}, // its short name is lossy too
      {L"-Dplain=C:\\plain.jar", L"-Dplain=C:\\plain.jar"},     // survives: never looked up
      {L"-javaagent:C:\\\u03a9", L"-javaagent:C:\\\u03a9"},     // no "="
  };
  for (const auto& [option, expected] : cases) {
    EXPECT_EQ(WithShortNamesForLostPaths(option, latin1, lookup, L';'), expected) << ToUtf8(option);
  }
}

} // namespace
} // namespace launcher
