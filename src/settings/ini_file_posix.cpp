#include "settings/ini_file.h"

#include <optional>

#include "base/files.h"
#include "settings/ini_document.h"

namespace launcher {

std::wstring IniFile::ReadString(const std::wstring& section, const std::wstring& key) const {
  FileContents contents = ReadRegularFile(path_, kLargestSettingsFile);
  if (contents.result != FileReadResult::kRead) {
    return std::wstring();
  }
  return IniDocument(std::move(contents.bytes)).Get(section, key).value_or(std::wstring());
}

bool IniFile::WriteString(const std::wstring& section, const std::wstring& key,
                          const std::wstring& value) const {
  FileContents contents = ReadRegularFile(path_, kLargestSettingsFile);
  if (contents.result != FileReadResult::kRead &&
      (contents.result != FileReadResult::kAbsent || FileExists(path_))) {
    return false; // there but unreadable, too large or no file: writing would lose what it is
  }
  IniDocument document(std::move(contents.bytes));
  return document.Set(section, key, value) && WriteWholeFile(path_, document.bytes());
}

} // namespace launcher
