#include "settings/settings_reader.h"

namespace launcher {

std::wstring SettingsReader::Get(const std::wstring& section, const std::wstring& key) const {
  std::wstring value = file_.ReadString(section, key);
  if (!value.empty()) {
    return value;
  }
  value = file_.ReadString(section + L"+", key);
  if (!value.empty() && value.front() != L' ') {
    value.insert(value.begin(), L' ');
  }
  return value;
}

} // namespace launcher
