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
namespace {

std::filesystem::path FsPath(const std::wstring& path) {
  return std::filesystem::u8path(ToUtf8(path));
}

} // namespace

ScratchFolder::ScratchFolder() {
  std::mt19937_64 random(std::random_device{}());
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    const std::wstring candidate =
        (std::filesystem::temp_directory_path() /
         ("launcher-unit-" + std::to_string(random() % 1000000000000ULL)))
            .wstring();
    std::error_code error;
    if (std::filesystem::create_directory(FsPath(candidate), error)) {
      path_ = candidate;
    }
  }
  if (path_.empty()) {
    throw std::runtime_error("cannot create a temporary folder");
  }
}

ScratchFolder::~ScratchFolder() {
  std::error_code error;
  std::filesystem::remove_all(FsPath(path_), error);
}

std::wstring ScratchFolder::Path(std::wstring_view name) const {
  return path_ + kPathSeparator + ReplaceAll(std::wstring(name), L'/', kPathSeparator);
}

std::wstring ScratchFolder::Write(std::wstring_view name, std::string_view bytes) const {
  std::filesystem::create_directories(FsPath(Path(name)).parent_path());
  if (!WriteWholeFile(Path(name), bytes)) {
    throw std::runtime_error("cannot write a test file");
  }
  return Path(name);
}

std::wstring ScratchFolder::MakeFolder(std::wstring_view name) const {
  std::filesystem::create_directories(FsPath(Path(name)));
  return Path(name);
}

ScopedEnvironmentVariable::ScopedEnvironmentVariable(std::wstring name, const std::wstring& value)
    : name_(std::move(name)), old_(ReadEnvironmentVariable(name_)) {
  WriteEnvironmentVariable(name_, value);
}

ScopedEnvironmentVariable::~ScopedEnvironmentVariable() {
  WriteEnvironmentVariable(name_, old_.value_or(std::wstring()));
}

} // namespace launcher::testing
