#include "settings/ini_document.h"

#include <cstring>

#include "base/text.h"

namespace launcher {
namespace {

constexpr wchar_t kDefaultNewline[] = L"\r\n";

bool IsBlank(uint32_t c) {
  return c == L' ' || c == L'\t';
}

// Narrows [start, start + length) of text to its part without surrounding blanks and tabs.
void Trim(std::wstring_view text, size_t& start, size_t& length) {
  while (length > 0 && IsBlank(text[start])) {
    ++start, --length;
  }
  while (length > 0 && IsBlank(text[start + length - 1])) {
    --length;
  }
}

bool IsTrimmed(std::wstring_view text) {
  return text.empty() || (!IsBlank(text.front()) && !IsBlank(text.back()));
}

bool HasLineBreak(std::wstring_view text) {
  return text.find_first_of(L"\r\n") != std::wstring_view::npos;
}

} // namespace

IniDocument::IniDocument() {
  Index();
}

IniDocument::IniDocument(std::string bytes) : bytes_(std::move(bytes)) {
  Index();
}

uint32_t IniDocument::UnitAt(size_t offset) const {
  const auto first = static_cast<unsigned char>(bytes_[offset]);
  switch (encoding_.encoding) {
  case IniEncoding::kUtf16Le:
    return first | (static_cast<unsigned char>(bytes_[offset + 1]) << 8);
  case IniEncoding::kUtf16Be:
    return (first << 8) | static_cast<unsigned char>(bytes_[offset + 1]);
  default:
    return first;
  }
}

size_t IniDocument::LineEnd(size_t position) const {
  if (encoding_.unitBytes == 1) {
    // The C library's search is many times faster than a loop over the bytes.
    const char* start = bytes_.data() + position;
    const size_t length = usableEnd_ - position;
    const void* lineFeed = std::memchr(start, '\n', length);
    const size_t beforeLineFeed =
        lineFeed != nullptr ? static_cast<size_t>(static_cast<const char*>(lineFeed) - start)
                            : length;
    const void* carriageReturn = std::memchr(start, '\r', beforeLineFeed);
    return position + (carriageReturn != nullptr
                           ? static_cast<size_t>(static_cast<const char*>(carriageReturn) - start)
                           : beforeLineFeed);
  }
  size_t end = position;
  while (end < usableEnd_ && UnitAt(end) != L'\n' && UnitAt(end) != L'\r') {
    end += encoding_.unitBytes;
  }
  return end;
}

void IniDocument::Index() {
  encoding_ = DetectIniEncoding(bytes_);
  const size_t unit = encoding_.unitBytes;
  usableEnd_ = encoding_.bomBytes + (bytes_.size() - encoding_.bomBytes) / unit * unit;
  text_.clear();
  lines_.clear();
  newline_.clear();
  text_.reserve(bytes_.size() / unit);

  size_t position = encoding_.bomBytes;
  while (position < usableEnd_) {
    Line line;
    line.byteStart = position;
    const size_t end = LineEnd(position);
    size_t next = end;
    if (next < usableEnd_ && UnitAt(next) == L'\r') {
      next += unit;
    }
    if (next < usableEnd_ && UnitAt(next) == L'\n') {
      next += unit;
    }
    line.byteEnd = end;
    line.byteNext = next;
    if (newline_.empty() && next > end) {
      AppendDecodedIniText(std::string_view(bytes_).substr(end, next - end), encoding_.encoding,
                           newline_);
    }
    const size_t textStart = text_.size();
    AppendDecodedIniText(std::string_view(bytes_).substr(position, end - position),
                         encoding_.encoding, text_);
    ClassifyLine(line, textStart);
    lines_.push_back(line);
    position = next;
  }
  if (newline_.empty()) {
    newline_ = kDefaultNewline;
  }
}

void IniDocument::ClassifyLine(Line& line, size_t textStart) const {
  const std::wstring_view text(text_);
  size_t start = textStart;
  size_t length = text_.size() - textStart;
  Trim(text, start, length);
  if (length == 0) {
    line.kind = LineKind::kBlank;
    return;
  }
  const std::wstring_view trimmed = text.substr(start, length);
  line.kind = LineKind::kOther;
  if (trimmed.front() == L';') {
    return;
  }
  if (trimmed.front() == L'[') {
    const size_t close = trimmed.rfind(L']');
    if (close != 0 && close != std::wstring_view::npos) {
      line.kind = LineKind::kSection;
      line.nameStart = start + 1;
      line.nameLength = close - 1;
      Trim(text, line.nameStart, line.nameLength);
      return;
    }
  }
  const size_t equals = trimmed.find(L'=');
  if (equals == std::wstring_view::npos) {
    return;
  }
  line.kind = LineKind::kEntry;
  line.nameStart = start;
  line.nameLength = equals;
  Trim(text, line.nameStart, line.nameLength);
  line.valueStart = start + equals + 1;
  line.valueLength = length - equals - 1;
  Trim(text, line.valueStart, line.valueLength);
  if (line.valueLength >= 2) {
    const wchar_t quote = text[line.valueStart];
    if ((quote == L'"' || quote == L'\'') &&
        text[line.valueStart + line.valueLength - 1] == quote) {
      ++line.valueStart;
      line.valueLength -= 2;
    }
  }
  // Where the value is written: after the first "=" and the blanks that follow it. "=" and
  // the blanks are single code units in every encoding, never part of a longer sequence.
  const size_t unit = encoding_.unitBytes;
  size_t offset = line.byteStart;
  while (offset < line.byteEnd && UnitAt(offset) != L'=') {
    offset += unit;
  }
  offset += unit;
  while (offset < line.byteEnd && IsBlank(UnitAt(offset))) {
    offset += unit;
  }
  line.valueByteStart = offset;
}

bool IniDocument::NameIs(const Line& line, std::wstring_view name) const {
  return EqualsIgnoringAsciiCase(std::wstring_view(text_).substr(line.nameStart, line.nameLength),
                                 name);
}

std::optional<std::wstring> IniDocument::Get(std::wstring_view section,
                                             std::wstring_view key) const {
  bool inSection = false;
  for (const Line& line : lines_) {
    if (line.kind == LineKind::kSection) {
      if (inSection) {
        return std::nullopt; // only the first section of the name counts
      }
      inSection = NameIs(line, section);
    } else if (inSection && line.kind == LineKind::kEntry && NameIs(line, key)) {
      return text_.substr(line.valueStart, line.valueLength);
    }
  }
  return std::nullopt;
}

bool IniDocument::Set(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) || !IsTrimmed(section) ||
      !IsTrimmed(key) || key.empty() || key.find(L'=') != std::wstring_view::npos ||
      key.front() == L';' || key.front() == L'[') {
    return false;
  }
  constexpr size_t kNone = static_cast<size_t>(-1);
  size_t sectionLine = kNone;
  size_t entryLine = kNone;
  size_t lastContent = kNone;
  for (size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == LineKind::kSection) {
      if (sectionLine != kNone) {
        break;
      }
      if (NameIs(line, section)) {
        sectionLine = lastContent = i;
      }
      continue;
    }
    if (sectionLine == kNone) {
      continue;
    }
    if (line.kind != LineKind::kBlank) {
      lastContent = i;
    }
    if (line.kind == LineKind::kEntry && NameIs(line, key)) {
      entryLine = i;
      break;
    }
  }

  // A dangling odd byte of a UTF-16 file would put everything after it out of step.
  bytes_.resize(usableEnd_);
  size_t at = 0;
  size_t replaced = 0;
  std::wstring text;
  if (entryLine != kNone) {
    at = lines_[entryLine].valueByteStart;
    replaced = lines_[entryLine].byteEnd - at;
    text = value;
  } else if (sectionLine != kNone) {
    const Line& after = lines_[lastContent];
    at = after.byteNext;
    if (after.byteNext == after.byteEnd) {
      text = newline_; // the file's last line had no line break
    }
    text.append(key).append(L"=").append(value).append(newline_);
  } else {
    at = bytes_.size();
    if (!lines_.empty()) {
      if (lines_.back().byteNext == lines_.back().byteEnd) {
        text = newline_;
      }
      if (lines_.back().kind != LineKind::kBlank) {
        text += newline_;
      }
    }
    text.append(L"[").append(section).append(L"]").append(newline_);
    text.append(key).append(L"=").append(value).append(newline_);
  }
  bytes_.replace(at, replaced, EncodeIniText(text, encoding_.encoding));
  Index();
  return true;
}

} // namespace launcher
