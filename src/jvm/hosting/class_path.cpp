#include "jvm/hosting/class_path.h"

#include "base/environment.h"
#include "base/files.h"
#include "base/path_rules.h"
#include "base/text.h"

namespace launcher {

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

void ResolveClassPathEntry(const std::wstring& entry, bool isAbsolute,
                           const std::wstring& launcherFolder, std::wstring& classPath) {
  const ClassPathSearch search = ClassPathSearchFor(entry, isAbsolute, launcherFolder);
  for (const std::wstring& name : FindMatchingNames(search.pattern)) {
    classPath.append(search.prefix);
    classPath.append(name);
    classPath.push_back(kPathListSeparator);
  }
}

std::wstring BuildClassPath(std::wstring_view setting, bool embedJar,
                            const std::wstring& modulePath) {
  const std::wstring launcherFolder = StripPathComponents(modulePath, 1);
  std::wstring classPath;
  for (std::wstring& entry : SplitList(setting, L';')) {
    ExpandEnvironment(entry);
    if (entry.empty()) {
      continue;
    }
    // Classified as written: a leading "\" means "below the launcher's folder" on every
    // platform, even where it then becomes a "/".
    const bool isAbsolute = IsAbsolutePath(entry);
    entry = NativePathFromSetting(std::move(entry));
    if (entry.find(L'*') != std::wstring::npos || !isAbsolute) {
      ResolveClassPathEntry(entry, isAbsolute, launcherFolder, classPath);
    } else {
      classPath.append(entry);
      classPath.push_back(kPathListSeparator);
    }
  }
  if (embedJar) {
    std::wstring withLauncher = modulePath;
    withLauncher.push_back(kPathListSeparator);
    withLauncher.append(classPath);
    classPath = std::move(withLauncher);
  }
  return classPath;
}

} // namespace launcher
