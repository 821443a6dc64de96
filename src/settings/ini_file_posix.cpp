#include "settings/ini_file.h"

namespace launcher {

FileReadResult IniFile::Load() const {
  if (!loaded_) {
    FileContents contents = ReadRegularFile(path_, kLargestSettingsFile);
    loaded_ = contents.result;
    if (contents.result == FileReadResult::kRead) {
      document_ = IniDocument(std::move(contents.bytes));
    }
  }
  return *loaded_;
}

std::wstring IniFile::ReadString(const std::wstring& section, const std::wstring& key) const {
  if (Load() != FileReadResult::kRead) {
    return std::wstring();
  }
  return document_.Get(section, key).value_or(std::wstring());
}

bool IniFile::WriteString(const std::wstring& section, const std::wstring& key,
                          const std::wstring& value) const {
  // Edit what is on disk now, not what was read earlier: someone may have written since.
  FileContents contents = ReadRegularFile(path_, kLargestSettingsFile);
  if (contents.result != FileReadResult::kRead &&
      (contents.result != FileReadResult::kAbsent || FileExists(path_))) {
    return false; // there but unreadable, too large or no file: writing would lose what it is
  }
  IniDocument document(std::move(contents.bytes));
  if (!document.Set(section, key, value) || !WriteWholeFile(path_, document.bytes())) {
    return false;
  }
  document_ = std::move(document);
  loaded_ = FileReadResult::kRead;
  return true;
}

} // namespace launcher
