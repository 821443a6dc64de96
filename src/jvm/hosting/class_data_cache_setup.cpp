#include "jvm/hosting/class_data_cache_setup.h"

#include <algorithm>
#include <atomic>
#include <ctime>
#include <string_view>
#include <vector>

#include "base/files.h"
#include "base/platform.h"
#include "base/text.h"
#include "base/trace.h"
#include "jvm/discovery/jvm_layout.h"
#include "jvm/discovery/release_file.h"
#include "jvm/hosting/class_data_cache.h"
#include "jvm/hosting/class_data_files.h"
#include "jvm/hosting/vm_option_paths.h"

namespace launcher {
namespace {

// The archive this run has the runtime write: the temporary file and its place. Set on the
// main thread before the VM exists; taken once, by whichever of the VM's exit hook and the
// end of DestroyJavaVM comes first.
struct PendingArchive {
  std::wstring temporary;
  std::wstring archive;
};
PendingArchive pendingArchive;
std::atomic<bool> archivePending{false};

constexpr char kClassPathOption[] = "-Djava.class.path=";

std::vector<StampedEntry> StampClassPath(std::wstring_view classPath) {
  std::vector<StampedEntry> entries;
  size_t start = 0;
  while (start <= classPath.size()) {
    size_t end = classPath.find(kPathListSeparator, start);
    if (end == std::wstring::npos) {
      end = classPath.size();
    }
    if (end > start) {
      StampedEntry entry;
      entry.path = std::wstring(classPath.substr(start, end - start));
      if (const std::optional<FileStamp> stamp = ReadFileStamp(entry.path)) {
        entry.exists = true;
        entry.stamp = *stamp;
      } else {
        entry.folder = FileExists(entry.path);
      }
      entries.push_back(std::move(entry));
    }
    start = end + 1;
  }
  return entries;
}

void InsertAfterClassPath(std::vector<std::string>& vmOptions, std::vector<std::string> added) {
  auto at = vmOptions.begin();
  for (auto option = vmOptions.begin(); option != vmOptions.end(); ++option) {
    if (option->compare(0, sizeof kClassPathOption - 1, kClassPathOption) == 0) {
      at = option + 1;
      break;
    }
  }
  vmOptions.insert(at, added.begin(), added.end());
}

// What runs that did not end well left in the folder: their temporary files, once old enough
// that no start still writes them.
void RemoveAbandonedFiles(const std::wstring& folder, const std::wstring& ownTemporary) {
  const int64_t now = static_cast<int64_t>(std::time(nullptr));
  for (const std::wstring& name : FindMatchingNames(folder + L"*.tmp*")) {
    const std::wstring path = folder + name;
    if (!IsTemporaryArchiveName(name) || path == ownTemporary) {
      continue;
    }
    const std::optional<FileStamp> stamp = ReadFileStamp(path);
    if (stamp && now - stamp->modifiedSeconds > kAbandonedAfterSeconds) {
      RemoveFile(path);
    }
  }
}

} // namespace

void PrepareClassDataCache(const std::wstring& jvmDllPath, const std::wstring& modulePath,
                           VmLaunchState& vm) {
  if (VmOptionsManageClassData(vm.vmOptions)) {
    Trace(L"class-data cache: none, the VM parameters manage class-data sharing");
    return;
  }
  const std::wstring home = RuntimeHome(jvmDllPath);
  const ReleaseFacts facts = ReadReleaseFile(home + kPathSeparator);
  const ClassDataCacheKind kind = ClassDataCacheKindFor(JavaFeatureRelease(facts.javaVersion));
  if (kind == ClassDataCacheKind::kNone) {
    Trace(L"class-data cache: none, the runtime's version \"", facts.javaVersion,
          L"\" keeps no archive for an application");
    return;
  }
  const std::wstring folder = ClassDataCacheFolder(
      UserCacheRoot(), CacheNameOfExecutable(modulePath, kPathSeparator), kPathSeparator);
  if (folder.empty()) {
    Trace(L"class-data cache: none, no user cache folder");
    return;
  }
  const std::wstring_view classPathText =
      std::wstring_view(vm.classPathOption)
          .substr(std::min(vm.classPathOption.size(), sizeof kClassPathOption - 1));
  const std::vector<StampedEntry> classPath = StampClassPath(classPathText);
  if (!ClassPathAllowsArchive(classPath)) {
    Trace(L"class-data cache: none, a folder on the class path");
    return;
  }
  const std::wstring name = ClassDataArchiveName(
      kind, DigestText(ClassDataDigestKey(home, facts.javaVersion, classPath, vm.vmOptions)));
  const std::wstring archive = folder + name;

  if (const std::optional<FileStamp> stamp = ReadFileStamp(archive)) {
    if (IsFinishedArchive(*stamp)) {
      Trace(L"class-data cache: uses ", archive);
      InsertAfterClassPath(vm.vmOptions, ClassDataOptions(kind, NarrowVmOption(archive), false));
      return;
    }
    Trace(L"class-data cache: refuses ", archive, L", not one this launcher finished; removed");
    // Cut short, rewritten in place or not ours: a runtime may crash on it. Another start may
    // have replaced it meanwhile with a whole one; removing that costs one more build.
    RemoveFile(archive);
  }

  // The temporary file is made here, the user's alone, which also proves the folder writable:
  // a runtime asked to write where it cannot would complain at exit.
  const std::wstring temporary = folder + TemporaryArchiveName(name, CurrentProcessId());
  if (!CreatePrivateFolder(folder) || !CreatePrivateFile(temporary)) {
    Trace(L"class-data cache: none, ", folder, L" cannot be written");
    return;
  }
  Trace(L"class-data cache: creates ", archive, L" through ", temporary);
  RemoveAbandonedFiles(folder, temporary);
  pendingArchive.temporary = temporary;
  pendingArchive.archive = archive;
  archivePending.store(true);
  InsertAfterClassPath(vm.vmOptions, ClassDataOptions(kind, NarrowVmOption(temporary), true));
}

void FinishClassDataArchive() {
  if (!archivePending.exchange(false)) {
    return;
  }
  const std::wstring& temporary = pendingArchive.temporary;
  const std::optional<FileStamp> stamp = ReadFileStamp(temporary);
  if (stamp && stamp->size >= kSmallestArchive && HasArchiveMagic(ReadFileStart(temporary, 4)) &&
      SealFile(temporary, FinishedArchiveTime(stamp->size)) &&
      ReplaceFileWith(temporary, pendingArchive.archive)) {
    Trace(L"class-data cache: ", pendingArchive.archive, L" in place");
    return;
  }
  Trace(L"class-data cache: the runtime wrote no whole archive; ", temporary, L" removed");
  RemoveFile(temporary);
}

} // namespace launcher
