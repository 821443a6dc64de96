#include "unit/support/discovery_fixtures.h"

#include <filesystem>

#include "base/text.h"
#include "jvm/discovery/image_architecture.h"
#include "unit/support/image_bytes.h"
#ifndef _WIN32
#include "jvm/discovery/runtime_folder_registry.h"
#endif

namespace launcher::test {
namespace {

std::filesystem::path ToFsPath(const std::wstring& path) {
  return std::filesystem::u8path(ToUtf8(path));
}

} // namespace

std::wstring DiscoveryTempFolder::Join(const std::string& relative) const {
  return Path(FromUtf8(relative));
}

std::wstring DiscoveryTempFolder::WriteFile(const std::string& relative,
                                            const std::string& bytes) const {
  std::filesystem::create_directories(ToFsPath(Join(relative)).parent_path());
  return Write(FromUtf8(relative), bytes);
}

std::wstring DiscoveryTempFolder::MakeFolder(const std::string& relative) const {
  const std::wstring folder = Join(relative);
  std::filesystem::create_directories(ToFsPath(folder));
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

std::string ThirtyTwoBitVmHeader() {
#ifdef _WIN32
  return MakePeBytes(0x86, 0x80, kPeMachineX86);
#else
  return MakeElfBytes(1, 1, kElfMachineX86, kElfHeaderBytes);
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
