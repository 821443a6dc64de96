#include "settings/ini_file.h"

#include <optional>

#include "base/files.h"
#include "settings/ini_document.h"

namespace launcher {

std::wstring IniFile::ReadString(const std::wstring& section, const std::wstring& key) const {
  std::optional<std::string> bytes = ReadWholeFile(path_);
  if (!bytes) {
    return std::wstring();
  }
  return IniDocument(std::move(*bytes)).Get(section, key).value_or(std::wstring());
}

bool IniFile::WriteString(const std::wstring& section, const std::wstring& key,
                          const std::wstring& value) const {
  std::optional<std::string> bytes = ReadWholeFile(path_);
  if (!bytes && FileExists(path_)) {
    return false; // there but unreadable: writing now would lose what it holds
  }
  IniDocument document(bytes ? std::move(*bytes) : std::string());
  return document.Set(section, key, value) && WriteWholeFile(path_, document.bytes());
}

} // namespace launcher
