#pragma once

// The class-data cache: the rules that decide which archive of loaded classes the runtime is
// asked to map or to write, and where it lives. Runtimes can store the classes an application
// loads (Java 25 and later also their linked and profiled state) in an archive and map it on
// the next start, which starts the application markedly faster; they do so only when the
// command line asks for it, so the launcher manages the file.
//
// One archive per application and runtime lies in the user's cache folder, named by a digest
// of everything that decides whether the runtime accepts it. An archive is written under a
// temporary name and renamed into place once the VM has written it; the launcher marks a
// finished archive by giving it a modification time computed from its size, so that a file
// cut short or rewritten in place (which gets a new time) is never handed to a runtime:
// Java 17 maps a dynamic archive cut short and dies of SIGBUS instead of refusing it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace launcher {

enum class ClassDataCacheKind {
  kNone,          // before Java 13: nothing
  kDynamicAtExit, // Java 13 to 18: -XX:ArchiveClassesAtExit, then -XX:SharedArchiveFile
  kAutoCreate,    // Java 19 to 24: -XX:+AutoCreateSharedArchive -XX:SharedArchiveFile
  kAotCache,      // Java 25 and later: -XX:AOTCacheOutput, then -XX:AOTCache
};

// "Class Data Cache" turns the cache on with "Auto" in any case.
bool IsClassDataCacheOn(std::wstring_view value);

// The feature release of a JAVA_VERSION text: 17 for "17.0.9", 25 for "25", 8 for "1.8.0_392";
// 0 when the text holds no number.
int JavaFeatureRelease(std::wstring_view javaVersion);

ClassDataCacheKind ClassDataCacheKindFor(int featureRelease);

// True when the VM options already decide about class-data sharing (any -Xshare, or any of
// the archive options): the launcher then leaves it to them (Java 25 refuses -Xshare beside
// its cache options).
bool VmOptionsManageClassData(const std::vector<std::string>& vmOptions);

// A file's size and modification time, as much as the digest and the finished-archive mark need.
struct FileStamp {
  uint64_t size = 0;
  int64_t modifiedSeconds = 0; // since 1970-01-01 UTC
};

// One class-path entry with its stamp; `exists` false when the entry names no regular file,
// `folder` true when it names something else (a folder of classes).
struct StampedEntry {
  std::wstring path;
  bool exists = false;
  FileStamp stamp;
  bool folder = false;
};

// Whether the runtimes can archive the application with this class path. They archive classes
// from jars only, and refuse at exit when a folder on the class path is not empty: Java 17
// then ends a finished run with "Cannot have non-empty directory in paths" and exit code 1,
// Java 25 ends it with exit code 1. A class path with a folder gets no cache.
bool ClassPathAllowsArchive(const std::vector<StampedEntry>& classPath);

// Temporary files of an archive that was being written (and the runtime's own files beside
// them, NAME.tmp.config on Java 25) older than this are left by a run that did not end well,
// and removed by the next start that writes an archive.
constexpr int64_t kAbandonedAfterSeconds = 3600;
bool IsTemporaryArchiveName(std::wstring_view name);

// What an archive depends on: the runtime's home and release version, the final class path
// with each entry's size and time, and the VM options (the class path, -Xlog and the -D
// properties aside, except the properties that decide which classes load: the system class
// loader and the module system's). A change of any of them gives another archive.
std::string ClassDataDigestKey(const std::wstring& runtimeHome, const std::wstring& javaVersion,
                               const std::vector<StampedEntry>& classPath,
                               const std::vector<std::string>& vmOptions);

// 64-bit FNV-1a of the key, as 16 lower-case hexadecimal digits.
std::wstring DigestText(std::string_view key);

// The archive's file name: the digest with ".jsa" (a dynamic archive) or ".aot" (an
// ahead-of-time cache).
std::wstring ClassDataArchiveName(ClassDataCacheKind kind, std::wstring_view digest);

// The name of the temporary file that one process writes its archive to before the rename.
std::wstring TemporaryArchiveName(std::wstring_view archiveName, uint32_t processId);

// The launcher's name in the cache folder: the executable's file name, less ".exe" in any case.
std::wstring CacheNameOfExecutable(std::wstring_view modulePath, wchar_t separator);

// Linux's user cache root: $XDG_CACHE_HOME when it is absolute, else $HOME/.cache, else none.
std::wstring PosixCacheRoot(std::wstring_view xdgCacheHome, std::wstring_view home);

// root, separator, name, separator; empty when the root or the name is.
std::wstring ClassDataCacheFolder(std::wstring_view root, std::wstring_view name,
                                  wchar_t separator);

// The options that ask the runtime to map the archive (creating false) or to write it at the
// end of the run (creating true) at the given path, with the runtime's own messages about
// archives silenced: an unusable archive is never the user's business.
std::vector<std::string> ClassDataOptions(ClassDataCacheKind kind, const std::string& archivePath,
                                          bool creating);

// The modification time that marks a finished archive of this size: a time no write or copy
// gives a file, and in even seconds, which every file system keeps exactly.
int64_t FinishedArchiveTime(uint64_t size);
bool IsFinishedArchive(const FileStamp& stamp);

// Whether the first bytes are those of a HotSpot class-data archive (static or dynamic).
bool HasArchiveMagic(std::string_view firstBytes);

// Archives smaller than this are writes that did not finish.
constexpr uint64_t kSmallestArchive = 4096;

} // namespace launcher
