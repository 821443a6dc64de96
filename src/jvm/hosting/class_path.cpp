#include "jvm/hosting/class_path.h"

#include "base/environment.h"
#include "base/files.h"
#include "base/path_rules.h"
#include "base/text.h"

namespace launcher {
namespace {

void AppendPath(std::wstring& classPath, std::wstring_view path) {
  if (!classPath.empty()) {
    classPath.push_back(kPathListSeparator);
  }
  classPath.append(path);
}

// An entry as written in the settings. Written with the platform's own separators in it, it
// stands for several; an empty one among them would be the current folder.
void AppendSettingEntry(std::wstring& classPath, std::wstring_view entry) {
  for (const std::wstring& piece : SplitList(entry, kPathListSeparator)) {
    if (!piece.empty()) {
      AppendPath(classPath, piece);
    }
  }
}

// A file found by a search. A path that holds the list separator (in its name, in a folder
// named in the settings or in the launcher's own folder) cannot be named on a class path: it
// would be read as several entries, some of them relative to the current folder.
void AppendFoundPath(std::wstring& classPath, const std::wstring& path) {
  if (path.find(kPathListSeparator) == std::wstring::npos) {
    AppendPath(classPath, path);
  }
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
    AppendFoundPath(classPath, modulePath);
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
      AppendSettingEntry(classPath, entry);
      continue;
    }
    const ClassPathSearch where = ClassPathSearchFor(entry, isAbsolute, launcherFolder);
    for (const std::wstring& name : search(where.pattern)) {
      AppendFoundPath(classPath, where.prefix + name);
    }
  }
  return classPath;
}

std::wstring BuildClassPath(std::wstring_view setting, bool embedJar,
                            const std::wstring& modulePath) {
  return BuildClassPath(setting, embedJar, modulePath, FindMatchingNames);
}

} // namespace launcher
