#pragma once

// One INI file, read and written a value at a time. Nothing is cached: every read goes to the
// file, so a value written by anyone is seen by the next read.
//
// Windows: the profile functions (GetPrivateProfileStringW, WritePrivateProfileStringW).
// Linux: IniDocument on the file's bytes, which keeps the same promises: names match without
// regard to case, a missing file, section or key reads as empty, a write creates the file,
// the section and the key as needed and keeps the rest of the file. Values are returned as
// written; a path in a value is not translated here.

#include <cstddef>
#include <string>

namespace launcher {

// A settings file larger than this is refused: no settings file comes near it, and reading
// a link to /dev/zero or a runaway file must not take all the memory there is.
constexpr size_t kLargestSettingsFile = 16 * 1024 * 1024;

class IniFile {
public:
  explicit IniFile(std::wstring path) : path_(std::move(path)) {}

  // The whole value, however long; empty when the file, section or key is missing.
  std::wstring ReadString(const std::wstring& section, const std::wstring& key) const;

  // False when the value could not be stored; callers that do not care may ignore it.
  bool WriteString(const std::wstring& section, const std::wstring& key,
                   const std::wstring& value) const;

  const std::wstring& path() const { return path_; }

private:
  std::wstring path_;
};

} // namespace launcher
