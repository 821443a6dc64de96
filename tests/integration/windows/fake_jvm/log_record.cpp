#include "log_record.h"

#include "modified_utf8.h"

namespace fake_jvm {

void AppendJsonString(std::string& out, std::u16string_view text) {
  static const char kHex[] = "0123456789abcdef";
  out += '"';
  for (char16_t unit : text) {
    if (unit == u'"' || unit == u'\\') {
      out += '\\';
      out += static_cast<char>(unit);
    } else if (unit >= 0x20 && unit < 0x7F) {
      out += static_cast<char>(unit);
    } else {
      out += "\\u";
      for (int shift = 12; shift >= 0; shift -= 4) {
        out += kHex[(unit >> shift) & 0xF];
      }
    }
  }
  out += '"';
}

LogRecord::LogRecord(std::string_view event) {
  line_ = "{\"event\":";
  AppendJsonString(line_, FromAscii(event));
}

LogRecord::~LogRecord() {
  WriteLogLine(line_ + "}\n");
}

void LogRecord::Key(std::string_view key) {
  line_ += ',';
  AppendJsonString(line_, FromAscii(key));
  line_ += ':';
}

LogRecord& LogRecord::Text(std::string_view key, std::u16string_view value) {
  Key(key);
  AppendJsonString(line_, value);
  return *this;
}

LogRecord& LogRecord::Ascii(std::string_view key, std::string_view value) {
  return Text(key, FromAscii(value));
}

LogRecord& LogRecord::Number(std::string_view key, long long value) {
  Key(key);
  line_ += std::to_string(value);
  return *this;
}

LogRecord& LogRecord::Flag(std::string_view key, bool value) {
  Key(key);
  line_ += value ? "true" : "false";
  return *this;
}

LogRecord& LogRecord::TextList(std::string_view key,
                               const std::vector<const std::u16string*>& values) {
  Key(key);
  line_ += '[';
  for (size_t i = 0; i < values.size(); ++i) {
    if (i > 0) {
      line_ += ',';
    }
    if (values[i] == nullptr) {
      line_ += "null";
    } else {
      AppendJsonString(line_, *values[i]);
    }
  }
  line_ += ']';
  return *this;
}

} // namespace fake_jvm
