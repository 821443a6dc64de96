#include "settings/ini_file.h"

#include <vector>

#include "base/short_path_name.h"
#include "base/windows_api.h"

namespace launcher {
namespace {

// The profile functions open no file whose path is MAX_PATH units or longer (under Wine not
// even with the \\?\ prefix), as a launcher installed deep below a long folder has: such a
// file is reached through its short name, when it has one.
std::wstring ProfilePath(const std::wstring& path) {
  if (path.size() < MAX_PATH) {
    return path;
  }
  return ShortPathName(path).value_or(path);
}

} // namespace

FileReadResult IniFile::Load() const {
  if (!loaded_) {
    // The profile functions would wait for ever on a pipe and read any file whole: they are
    // called only once the file has been seen to be a regular file of a sensible size.
    const ReadOnlyFile file(path_);
    if (!file.IsOpen()) {
      loaded_ = file.IsAbsent() ? FileReadResult::kAbsent : FileReadResult::kUnreadable;
    } else {
      loaded_ =
          file.size() > kLargestSettingsFile ? FileReadResult::kTooLarge : FileReadResult::kRead;
    }
  }
  return *loaded_;
}

std::wstring IniFile::ReadString(const std::wstring& section, const std::wstring& key) const {
  if (Load() != FileReadResult::kRead) {
    return std::wstring();
  }
  // A value that fills the buffer up to its terminator may have been cut: read again with a
  // buffer twice the size until it fits.
  constexpr DWORD kLargestBuffer = 1u << 30;
  const std::wstring path = ProfilePath(path_);
  for (DWORD size = 256;; size *= 2) {
    std::vector<wchar_t> buffer(size);
    const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer.data(),
                                                  size, path.c_str());
    if (length != size - 1 || size >= kLargestBuffer) {
      return std::wstring(buffer.data(), length < size ? length : size - 1);
    }
  }
}

bool IniFile::WriteString(const std::wstring& section, const std::wstring& key,
                          const std::wstring& value) const {
  const ReadOnlyFile file(path_);
  if (!file.IsOpen() && (!file.IsAbsent() || FileExists(path_))) {
    return false; // there but unreadable, or no file: writing would lose what it is
  }
  if (file.IsOpen() && file.size() > kLargestSettingsFile) {
    return false;
  }
  loaded_.reset(); // the next read looks at the file again
  return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(),
                                    ProfilePath(path_).c_str()) != FALSE;
}

} // namespace launcher
