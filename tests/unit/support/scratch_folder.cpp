#include "unit/support/scratch_folder.h"

#include <filesystem>
#include <random>
#include <stdexcept>
#include <system_error>

#include "base/environment.h"
#include "base/files.h"
#include "base/platform.h"
#include "base/text.h"

namespace launcher::testing {

ScratchFolder::ScratchFolder() {
  std::random_device seed;
  std::mt19937_64 random(seed());
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path candidate =
        base / ("launcher-unit-" + std::to_string(random() % 1000000000000ULL));
    std::error_code error;
    if (std::filesystem::create_directory(candidate, error)) {
      path_ = candidate.wstring();
      while (path_.size() > 1 && path_.back() == kPathSeparator) {
        path_.pop_back();
      }
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

ScratchFolder::~ScratchFolder() {
  std::error_code error;
  std::filesystem::remove_all(std::filesystem::path(path_), error);
}

std::wstring ScratchFolder::Path(std::wstring_view name) const {
  return path_ + kPathSeparator + ReplaceAll(std::wstring(name), L'/', kPathSeparator);
}

std::wstring ScratchFolder::Write(std::wstring_view name, std::string_view bytes) const {
  const std::wstring file = Path(name);
  if (!WriteWholeFile(file, bytes)) {
    throw std::runtime_error("cannot write a test file");
  }
  return file;
}

ScopedEnvironmentVariable::ScopedEnvironmentVariable(std::wstring name, const std::wstring& value)
    : name_(std::move(name)), old_(ReadEnvironmentVariable(name_)) {
  WriteEnvironmentVariable(name_, value);
}

ScopedEnvironmentVariable::~ScopedEnvironmentVariable() {
  WriteEnvironmentVariable(name_, old_.value_or(std::wstring()));
}

ScopedCurrentFolder::ScopedCurrentFolder(const std::wstring& path) : old_(CurrentFolder()) {
  SetCurrentFolder(path);
}

ScopedCurrentFolder::~ScopedCurrentFolder() {
  SetCurrentFolder(old_);
}

std::string Utf16Bytes(std::wstring_view text, bool littleEndian) {
  std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
  for (char16_t unit : ToUtf16(text)) {
    const char low = static_cast<char>(unit & 0xFF);
    const char high = static_cast<char>(unit >> 8);
    bytes += littleEndian ? low : high;
    bytes += littleEndian ? high : low;
  }
  return bytes;
}

} // namespace launcher::testing
