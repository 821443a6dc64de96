#pragma once

// The reader of the launcher settings file. A key that is empty or missing in [section] is
// looked up in [section+] as well, so that a product can keep its additions in a section of
// their own; a value found there reads with one blank in front (unless it starts with one).
//
// One reader serves a whole start: the file is looked at once (IniFile).

#include <string>

#include "settings/ini_file.h"

namespace launcher {

class SettingsReader {
public:
  explicit SettingsReader(std::wstring path) : file_(std::move(path)) {}

  FileReadResult Load() const { return file_.Load(); }
  std::wstring Get(const std::wstring& section, const std::wstring& key) const;

  const IniFile& file() const { return file_; }

private:
  IniFile file_;
};

} // namespace launcher
