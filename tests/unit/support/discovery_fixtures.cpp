#include "unit/support/discovery_fixtures.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

#include "base/platform.h"
#include "base/text.h"
#include "jvm/discovery/image_architecture.h"
#include "unit/support/image_bytes.h"
#ifndef _WIN32
#include "jvm/discovery/runtime_folder_registry.h"
#endif

namespace launcher::test {
namespace {

namespace fs = std::filesystem;

fs::path ToFsPath(const std::wstring& path) {
  return fs::u8path(ToUtf8(path));
}

std::wstring Native(const std::string& relative) {
  std::wstring text = FromUtf8(relative);
  for (wchar_t& c : text) {
    if (c == L'/') {
      c = kPathSeparator;
    }
  }
  return text;
}

} // namespace

DiscoveryTempFolder::DiscoveryTempFolder() {
  static std::atomic<unsigned> counter{0};
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name =
        "discovery-" + std::to_string(random()) + "-" + std::to_string(counter.fetch_add(1));
    const fs::path candidate = fs::temp_directory_path() / name;
    std::error_code error;
    if (fs::create_directory(candidate, error)) {
      path_ = FromUtf8(candidate.u8string());
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

DiscoveryTempFolder::~DiscoveryTempFolder() {
  std::error_code error;
  fs::remove_all(ToFsPath(path_), error);
}

std::wstring DiscoveryTempFolder::home() const {
  return path_ + kPathSeparator;
}

std::wstring DiscoveryTempFolder::Join(const std::string& relative) const {
  return path_ + kPathSeparator + Native(relative);
}

std::wstring DiscoveryTempFolder::WriteFile(const std::string& relative,
                                            const std::string& bytes) const {
  const std::wstring file = Join(relative);
  const fs::path filePath = ToFsPath(file);
  fs::create_directories(filePath.parent_path());
  std::ofstream out(filePath, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return file;
}

std::wstring DiscoveryTempFolder::MakeFolder(const std::string& relative) const {
  const std::wstring folder = Join(relative);
  fs::create_directories(ToFsPath(folder));
  return folder;
}

std::wstring DiscoveryTempFolder::MakeRuntime(const std::string& relativeHome,
                                              std::initializer_list<JvmKind> kinds,
                                              const std::string& image) const {
  const std::wstring home = MakeFolder(relativeHome);
  for (JvmKind kind : kinds) {
    WriteFile(relativeHome + "/" + ToUtf8(ReplaceAll(JvmLibraryNames(kind).front(), L'\\', L'/')),
              image);
  }
  return home;
}

std::string ThirtyTwoBitVmImage() {
#ifdef _WIN32
  return MakePeBytes(512, 0x80, kPeMachineX86);
#else
  return MakeElfBytes(1, 1, kElfMachineX86);
#endif
}

std::string NativeVmImage() {
#ifdef _WIN32
  return MakePeBytes(512, 0x80, kPeMachineAmd64);
#else
  return MakeElfBytes(2, 1, HostElfMachine());
#endif
}

} // namespace launcher::test
