#include "jvm/discovery/runtime_folder_registry.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <set>
#include <sys/stat.h>

#include "base/files.h"
#include "base/text.h"
#include "jvm/discovery/image_architecture.h"
#include "jvm/discovery/jvm_layout.h"
#include "jvm/discovery/release_file.h"

namespace launcher {
namespace {

bool IsFolder(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string RealPath(const std::string& path) {
  char* resolved = realpath(path.c_str(), nullptr);
  if (resolved == nullptr) {
    return path;
  }
  std::string result(resolved);
  free(resolved);
  return result;
}

// The folders directly inside a root: real folders first, then links to folders, each group
// sorted by name so that the result does not depend on the file system's order.
std::vector<std::string> RuntimeFoldersIn(const std::string& root) {
  std::vector<std::string> folders;
  std::vector<std::string> links;
  DIR* dir = opendir(root.c_str());
  if (dir == nullptr) {
    return folders;
  }
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") {
      continue;
    }
    const std::string path = root + "/" + name;
    struct stat info;
    if (lstat(path.c_str(), &info) != 0) {
      continue;
    }
    if (S_ISDIR(info.st_mode)) {
      folders.push_back(path);
    } else if (S_ISLNK(info.st_mode) && IsFolder(path)) {
      links.push_back(path);
    }
  }
  closedir(dir);
  std::sort(folders.begin(), folders.end());
  std::sort(links.begin(), links.end());
  folders.insert(folders.end(), links.begin(), links.end());
  return folders;
}

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') {
    path.pop_back();
  }
  return path;
}

} // namespace

std::vector<std::wstring> SystemRuntimeRoots() {
  return {L"/usr/lib/jvm", L"/usr/java", L"/usr/local/java", L"/opt/java"};
}

uint16_t HostElfMachine() {
#if defined(__x86_64__)
  return kElfMachineX86_64;
#elif defined(__aarch64__)
  return kElfMachineAarch64;
#elif defined(__i386__)
  return kElfMachineX86;
#else
  return 0;
#endif
}

RuntimeFolderRegistry::RuntimeFolderRegistry(std::vector<std::wstring> runtimeRoots,
                                             uint16_t hostMachine)
    : runtimeRoots_(std::move(runtimeRoots)), hostMachine_(hostMachine) {}

const std::vector<RuntimeFolderRegistry::Runtime>& RuntimeFolderRegistry::Runtimes() {
  if (!scanned_) {
    scanned_ = true;
    Scan();
  }
  return runtimes_;
}

void RuntimeFolderRegistry::Scan() {
  static const JvmKind kKinds[] = {JvmKind::kServer, JvmKind::kClient, JvmKind::kClassic,
                                   JvmKind::kHotspot, JvmKind::kJrockit};
  std::set<std::string> visited;
  for (const std::wstring& root : runtimeRoots_) {
    for (const std::string& folder : RuntimeFoldersIn(WithoutTrailingSlashes(ToUtf8(root)))) {
      if (!visited.insert(RealPath(folder)).second) {
        continue;
      }
      const std::wstring home = FromUtf8(folder);
      Runtime runtime;
      for (const std::wstring& base : {home + L"/", home + L"/" + JdkRuntimeFolder()}) {
        // Every library name lies below "lib": one look saves ten for a home without it (the
        // "jre" folder of every runtime since Java 9).
        if (!IsFolder(ToUtf8(base) + "lib")) {
          continue;
        }
        for (JvmKind kind : kKinds) {
          for (const std::wstring& name : JvmLibraryNames(kind)) {
            const std::string header = ReadFileStart(base + name, kElfHeaderBytes);
            const auto* bytes = reinterpret_cast<const unsigned char*>(header.data());
            runtime.inNativeView |= Is64BitElfImageFor(bytes, header.size(), hostMachine_);
            runtime.in32BitView |= IsX86ElfImage(bytes, header.size());
          }
        }
      }
      if (!runtime.inNativeView && !runtime.in32BitView) {
        continue;
      }
      const ReleaseFacts facts = ReadReleaseFile(home + L"/");
      const bool hasJreFolder = IsFolder(folder + "/jre");
      runtime.versionKey = facts.javaVersion.empty()
                               ? FromUtf8(folder.substr(folder.rfind('/') + 1))
                               : facts.javaVersion;
      if (IsIbmImplementor(facts.implementor)) {
        runtime.vendorKey = kIbmJreKey;
        runtime.javaHome = hasJreFolder ? home + L"/jre" : home;
      } else {
        runtime.vendorKey = hasJreFolder ? kJavaSoftJdkKey : kJavaSoftJreKey;
        runtime.javaHome = home;
      }
      runtimes_.push_back(std::move(runtime));
    }
  }
}

std::vector<std::wstring> RuntimeFolderRegistry::ListVersionKeys(const std::wstring& vendorKey,
                                                                 bool use32BitView) {
  std::vector<std::wstring> names;
  for (const Runtime& runtime : Runtimes()) {
    const bool inView = use32BitView ? runtime.in32BitView : runtime.inNativeView;
    if (inView && runtime.vendorKey == vendorKey &&
        std::find(names.begin(), names.end(), runtime.versionKey) == names.end()) {
      names.push_back(runtime.versionKey);
    }
  }
  return names;
}

std::optional<std::wstring> RuntimeFolderRegistry::QueryJavaHome(const std::wstring& vendorKey,
                                                                 const std::wstring& versionKey,
                                                                 bool use32BitView) {
  for (const Runtime& runtime : Runtimes()) {
    const bool inView = use32BitView ? runtime.in32BitView : runtime.inNativeView;
    if (inView && runtime.vendorKey == vendorKey && runtime.versionKey == versionKey) {
      return runtime.javaHome;
    }
  }
  return std::nullopt;
}

} // namespace launcher
