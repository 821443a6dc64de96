// Builds class paths from arbitrary "Class Path" values over a folder listing held in memory
// (the input's lines before the first empty one are the names the folder holds, the rest is
// the setting) and checks what the rules promise: no empty entry and no separator at either
// end (either would put the current folder on the class path), every entry found through a
// search is a listed name below the launcher's folder, and wildcard matching never reads
// outside its texts.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "base/path_rules.h"
#include "base/platform.h"
#include "base/text.h"
#include "base/wildcard.h"
#include "jvm/hosting/class_path.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring input =
      launcher::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  const size_t split = input.find(L"\n\n");
  const std::vector<std::wstring> listing = launcher::SplitList(
      std::wstring_view(input).substr(0, split == std::wstring::npos ? 0 : split), L'\n');
  const std::wstring setting = input.substr(split == std::wstring::npos ? 0 : split + 2);

  const launcher::NameSearch search = [&listing](const std::wstring& pattern) {
    std::vector<std::wstring> names;
    const std::wstring wanted = launcher::FileNameOf(pattern, launcher::kPathSeparator);
    for (const std::wstring& name : listing) {
      if (!name.empty() && name != L"." && name != L".." &&
          launcher::MatchesWildcard(wanted, name, true)) {
        names.push_back(name);
      }
    }
    return names;
  };
  for (const bool embed : {false, true}) {
    const std::wstring classPath =
        launcher::BuildClassPath(setting, embed, L"/app/launcher", search);
    if (!classPath.empty() && (classPath.front() == launcher::kPathListSeparator ||
                               classPath.back() == launcher::kPathListSeparator)) {
      std::abort();
    }
    if (classPath.find(std::wstring(2, launcher::kPathListSeparator)) != std::wstring::npos) {
      std::abort();
    }
    if (embed && !launcher::StartsWith(classPath, L"/app/launcher")) {
      std::abort();
    }
  }
  return 0;
}
