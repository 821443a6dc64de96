#pragma once

// An INI file held as its bytes, read and edited the way the Windows profile functions read
// and write one, for platforms that do not have them.
//
// Reading: "[name]" lines open sections, "key=value" lines are entries, lines whose first
// non-blank character is ";" are comments, other lines are ignored. Names and values lose
// the blanks and tabs around them, and a value loses one pair of matching surrounding quotes
// (" or '). Section and key names match without regard to the case of ASCII letters. The
// first section of a name is the one that counts, and within it the first key of a name.
// Lines may end in CR LF, LF or CR; the last line needs no line break.
//
// Writing changes only the bytes of the one value (or inserts one line, or appends one
// section) and keeps everything else of the file byte for byte, in the file's own encoding
// and line breaks. A new file is UTF-8 without byte-order mark.
//
// Reading and writing take time linear in the size of the file.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ini_text_encoding.h"

namespace launcher {

class IniDocument {
public:
  // An empty document: a file that does not exist yet.
  IniDocument();
  explicit IniDocument(std::string bytes);

  // The value of key in the first section named section; nothing when either is missing.
  std::optional<std::wstring> Get(std::wstring_view section, std::wstring_view key) const;

  // Sets the value, adding the key or the section as needed. False, with the document
  // unchanged, for what the format cannot hold: a line break anywhere, a key that is empty,
  // holds "=", starts with ";" or "[", or a section or key with blanks or tabs around it.
  bool Set(std::wstring_view section, std::wstring_view key, std::wstring_view value);

  const std::string& bytes() const { return bytes_; }
  IniEncoding encoding() const { return encoding_.encoding; }

private:
  enum class LineKind : uint8_t { kBlank, kOther, kSection, kEntry };

  struct Line {
    LineKind kind = LineKind::kBlank;
    size_t byteStart = 0;      // first byte of the line
    size_t byteEnd = 0;        // end of its text, where the line break starts
    size_t byteNext = 0;       // first byte of the next line
    size_t valueByteStart = 0; // entries: first byte of the value as written
    size_t nameStart = 0;      // section or key name, in text_
    size_t nameLength = 0;
    size_t valueStart = 0; // entries: the value as read, in text_
    size_t valueLength = 0;
  };

  void Index();
  size_t LineEnd(size_t position) const;
  void ClassifyLine(Line& line, size_t textStart) const;
  uint32_t UnitAt(size_t offset) const;
  bool NameIs(const Line& line, std::wstring_view name) const;

  std::string bytes_;
  IniEncodingInfo encoding_;
  size_t usableEnd_ = 0;    // end of the whole code units
  std::wstring text_;       // the decoded text of every line, back to back
  std::vector<Line> lines_; // in file order
  std::wstring newline_;    // the file's own line break, for inserted lines
};

} // namespace launcher
