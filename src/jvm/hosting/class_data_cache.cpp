#include "jvm/hosting/class_data_cache.h"

#include <algorithm>

#include "base/text.h"

namespace launcher {
namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// The options whose presence means the user's own settings decide about class-data sharing.
constexpr std::string_view kOwnedOptionPrefixes[] = {
    "-Xshare:",
    "-XX:SharedArchiveFile",
    "-XX:ArchiveClassesAtExit",
    "-XX:+AutoCreateSharedArchive",
    "-XX:-UseSharedSpaces",
    "-XX:SharedClassListFile",
    "-XX:+DumpLoadedClassList",
    "-XX:AOTCache",
    "-XX:AOTMode",
    "-XX:AOTConfiguration",
};

// -D properties change no archive, except these, which decide where classes come from.
bool PropertyMatters(std::string_view option) {
  return StartsWith(option, "-Djava.system.class.loader") || StartsWith(option, "-Djdk.module.");
}

// 2000-01-01 00:00:00 UTC: every mark lies after it.
constexpr int64_t kMarkEpoch = 946684800;

} // namespace

bool IsClassDataCacheOn(std::wstring_view value) {
  return EqualsIgnoringAsciiCase(value, L"Auto");
}

int JavaFeatureRelease(std::wstring_view javaVersion) {
  int runs[2] = {0, 0};
  int found = 0;
  size_t i = 0;
  while (i < javaVersion.size() && found < 2) {
    if (javaVersion[i] < L'0' || javaVersion[i] > L'9') {
      ++i;
      continue;
    }
    int value = 0;
    for (; i < javaVersion.size() && javaVersion[i] >= L'0' && javaVersion[i] <= L'9'; ++i) {
      value = std::min(value * 10 + (javaVersion[i] - L'0'), 100000);
    }
    runs[found++] = value;
  }
  // Until Java 8 the feature release was the second number: 1.8.0_392.
  return runs[0] == 1 && found == 2 ? runs[1] : runs[0];
}

ClassDataCacheKind ClassDataCacheKindFor(int featureRelease) {
  if (featureRelease >= 25) {
    return ClassDataCacheKind::kAotCache;
  }
  if (featureRelease >= 19) {
    return ClassDataCacheKind::kAutoCreate;
  }
  if (featureRelease >= 13) {
    return ClassDataCacheKind::kDynamicAtExit;
  }
  return ClassDataCacheKind::kNone;
}

bool VmOptionsManageClassData(const std::vector<std::string>& vmOptions) {
  for (const std::string& option : vmOptions) {
    for (std::string_view prefix : kOwnedOptionPrefixes) {
      if (StartsWith(option, prefix)) {
        return true;
      }
    }
  }
  return false;
}

std::string ClassDataDigestKey(const std::wstring& runtimeHome, const std::wstring& javaVersion,
                               const std::vector<StampedEntry>& classPath,
                               const std::vector<std::string>& vmOptions) {
  // One line per item, each with its own label, so that no two different inputs give one key.
  std::string key = "home=" + ToUtf8(runtimeHome) + "\nversion=" + ToUtf8(javaVersion) + "\n";
  for (const StampedEntry& entry : classPath) {
    key += "entry=" + ToUtf8(entry.path);
    key += entry.exists ? "|" + std::to_string(entry.stamp.size) + "|" +
                              std::to_string(entry.stamp.modifiedSeconds)
                        : std::string("|missing");
    key += "\n";
  }
  for (const std::string& option : vmOptions) {
    // Logging changes no archive either, and the runtime's own log is how one looks at it.
    if (StartsWith(option, "-Xlog")) {
      continue;
    }
    if (!StartsWith(option, "-D") || PropertyMatters(option)) {
      key += "option=" + option + "\n";
    }
  }
  return key;
}

bool ClassPathAllowsArchive(const std::vector<StampedEntry>& classPath) {
  for (const StampedEntry& entry : classPath) {
    if (entry.folder) {
      return false;
    }
  }
  return true;
}

bool IsTemporaryArchiveName(std::wstring_view name) {
  for (std::wstring_view ending : {std::wstring_view(L".tmp"), std::wstring_view(L".tmp.config")}) {
    if (name.size() > ending.size() && name.substr(name.size() - ending.size()) == ending) {
      return true;
    }
  }
  return false;
}

std::wstring DigestText(std::string_view key) {
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char byte : key) {
    hash = (hash ^ byte) * 1099511628211ull;
  }
  static const wchar_t kDigits[] = L"0123456789abcdef";
  std::wstring text(16, L'0');
  for (int i = 15; i >= 0; --i, hash >>= 4) {
    text[static_cast<size_t>(i)] = kDigits[hash & 15];
  }
  return text;
}

std::wstring ClassDataArchiveName(ClassDataCacheKind kind, std::wstring_view digest) {
  return std::wstring(digest) + (kind == ClassDataCacheKind::kAotCache ? L".aot" : L".jsa");
}

std::wstring TemporaryArchiveName(std::wstring_view archiveName, uint32_t processId) {
  return std::wstring(archiveName) + L"." + std::to_wstring(processId) + L".tmp";
}

std::wstring CacheNameOfExecutable(std::wstring_view modulePath, wchar_t separator) {
  const size_t cut = modulePath.find_last_of(std::wstring{separator, L'/'});
  std::wstring_view name = cut == std::wstring_view::npos ? modulePath : modulePath.substr(cut + 1);
  if (name.size() > 4 && EqualsIgnoringAsciiCase(name.substr(name.size() - 4), L".exe")) {
    name.remove_suffix(4);
  }
  return std::wstring(name);
}

std::wstring PosixCacheRoot(std::wstring_view xdgCacheHome, std::wstring_view home) {
  if (!xdgCacheHome.empty() && xdgCacheHome[0] == L'/') {
    return std::wstring(xdgCacheHome);
  }
  if (!home.empty() && home[0] == L'/') {
    std::wstring root(home);
    if (root.back() != L'/') {
      root += L'/';
    }
    return root + L".cache";
  }
  return std::wstring();
}

std::wstring ClassDataCacheFolder(std::wstring_view root, std::wstring_view name,
                                  wchar_t separator) {
  if (root.empty() || name.empty()) {
    return std::wstring();
  }
  std::wstring folder(root);
  if (folder.back() != separator) {
    folder += separator;
  }
  return folder + std::wstring(name) + separator;
}

std::vector<std::string> ClassDataOptions(ClassDataCacheKind kind, const std::string& archivePath,
                                          bool creating) {
  switch (kind) {
  case ClassDataCacheKind::kDynamicAtExit:
    return {"-Xshare:auto", "-Xlog:cds*=off",
            (creating ? "-XX:ArchiveClassesAtExit=" : "-XX:SharedArchiveFile=") + archivePath};
  case ClassDataCacheKind::kAutoCreate:
    // The runtime checks the archive itself and writes a new one at exit when it cannot use it.
    return {"-Xshare:auto", "-Xlog:cds*=off", "-XX:+AutoCreateSharedArchive",
            "-XX:SharedArchiveFile=" + archivePath};
  case ClassDataCacheKind::kAotCache:
    // -Xshare is refused beside the cache options; an unusable cache is never fatal here.
    if (creating) {
      // At exit the runtime starts a second VM that builds the cache, and both report the
      // steps on the console outside the logging framework: only turning the VM's output off
      // keeps them there, for this one run.
      return {"-Xlog:aot*=off", "-Xlog:cds*=off", "-XX:+UnlockDiagnosticVMOptions",
              "-XX:-DisplayVMOutput", "-XX:AOTCacheOutput=" + archivePath};
    }
    return {"-Xlog:aot*=off", "-Xlog:cds*=off", "-XX:AOTCache=" + archivePath};
  case ClassDataCacheKind::kNone:
    break;
  }
  return {};
}

int64_t FinishedArchiveTime(uint64_t size) {
  const uint64_t bounded = std::min<uint64_t>(size, uint64_t{1} << 40);
  return kMarkEpoch + static_cast<int64_t>(2 * bounded);
}

bool IsFinishedArchive(const FileStamp& stamp) {
  return stamp.size >= kSmallestArchive && stamp.modifiedSeconds == FinishedArchiveTime(stamp.size);
}

bool HasArchiveMagic(std::string_view firstBytes) {
  // 0xf00baba2 (static) and 0xf00baba8 (dynamic), little-endian; the low digit varies.
  return firstBytes.size() >= 4 && (static_cast<unsigned char>(firstBytes[0]) & 0xf0) == 0xa0 &&
         static_cast<unsigned char>(firstBytes[1]) == 0xab &&
         static_cast<unsigned char>(firstBytes[2]) == 0x0b &&
         static_cast<unsigned char>(firstBytes[3]) == 0xf0;
}

} // namespace launcher
