#pragma once

// One INI file, looked at once and then read a value at a time.
//
// The file is taken only when it is a regular file of at most kLargestSettingsFile bytes (a
// FIFO, a device or a link to one reads as a missing file, and nothing ever waits on it);
// Load() tells which. That first look is kept for the life of the object.
//
// Windows: the profile functions (GetPrivateProfileStringW, WritePrivateProfileStringW) read
// and write the file, one value per call. Linux: the file is read and parsed once, on the
// first look, and every value is answered from that (IniDocument, with the same promises:
// names match without regard to case, a missing file, section or key reads as empty, a write
// creates the file, the section and the key as needed and keeps the rest of the file). Values
// are returned as written; a path in a value is not translated here.

#include <cstddef>
#include <optional>
#include <string>

#include "base/files.h"
#include "settings/ini_document.h"

namespace launcher {

// A settings file larger than this is refused: no settings file comes near it, and reading
// a runaway file must not take all the memory there is.
constexpr size_t kLargestSettingsFile = 16 * 1024 * 1024;

class IniFile {
public:
  explicit IniFile(std::wstring path) : path_(std::move(path)) {}

  // The first look at the file: kRead when it is there to be read, kAbsent when there is no
  // regular file (every value then reads as empty), kTooLarge or kUnreadable when it cannot be
  // taken (every value reads as empty too; the caller decides whether that stops it).
  FileReadResult Load() const;

  // The whole value, however long; empty when the file, section or key is missing.
  std::wstring ReadString(const std::wstring& section, const std::wstring& key) const;

  // False when the value could not be stored; callers that do not care may ignore it. A file
  // that is there but cannot be taken is never overwritten.
  bool WriteString(const std::wstring& section, const std::wstring& key,
                   const std::wstring& value) const;

  const std::wstring& path() const { return path_; }

private:
  std::wstring path_;
  mutable std::optional<FileReadResult> loaded_;
  mutable IniDocument document_; // Linux: the parsed file once loaded
};

} // namespace launcher
