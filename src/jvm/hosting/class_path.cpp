#include "jvm/hosting/class_path.h"

#include "base/environment.h"
#include "base/files.h"
#include "base/path_rules.h"
#include "base/text.h"

namespace launcher {
namespace {

void AppendEntry(std::wstring& classPath, std::wstring_view entry) {
  if (!classPath.empty()) {
    classPath.push_back(kPathListSeparator);
  }
  classPath.append(entry);
}

} // namespace

ClassPathSearch ClassPathSearchFor(std::wstring_view entry, bool isAbsolute,
                                   std::wstring_view launcherFolder, wchar_t separator) {
  ClassPathSearch search;
  if (isAbsolute) {
    search.pattern = std::wstring(entry);
  } else {
    search.pattern.reserve(launcherFolder.size() + 1 + entry.size());
    search.pattern = launcherFolder;
    if (entry.empty() || entry.front() != separator) {
      search.pattern += separator;
    }
    search.pattern += entry;
  }
  search.prefix = FolderWithSeparator(search.pattern, separator);
  return search;
}

std::wstring BuildClassPath(std::wstring_view setting, bool embedJar,
                            const std::wstring& modulePath, const NameSearch& search) {
  const std::wstring launcherFolder = StripPathComponents(modulePath, 1);
  std::wstring classPath;
  if (embedJar) {
    classPath = modulePath;
  }
  for (std::wstring& entry : SplitList(setting, L';')) {
    ExpandEnvironment(entry);
    if (entry.empty()) {
      continue;
    }
    // Classified as written: a leading "\" means "below the launcher's folder" on every
    // platform, even where it then becomes a "/".
    const bool isAbsolute = IsAbsolutePath(entry);
    entry = NativePathFromSetting(std::move(entry));
    // An absolute entry is not looked for (it may appear before the VM needs it), and "."
    // is the current folder, kept as written for the VM to resolve.
    if ((entry.find(L'*') == std::wstring::npos && isAbsolute) || entry == L".") {
      AppendEntry(classPath, entry);
      continue;
    }
    const ClassPathSearch where = ClassPathSearchFor(entry, isAbsolute, launcherFolder);
    for (const std::wstring& name : search(where.pattern)) {
      AppendEntry(classPath, where.prefix + name);
    }
  }
  return classPath;
}

std::wstring BuildClassPath(std::wstring_view setting, bool embedJar,
                            const std::wstring& modulePath) {
  return BuildClassPath(setting, embedJar, modulePath, FindMatchingNames);
}

} // namespace launcher
