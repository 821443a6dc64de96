// Any bytes as a runtime's release file and as VM parameters, through the class-data cache's
// rules: the feature release read from JAVA_VERSION picks a kind that has options, and the
// archive's name is always a plain file name.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "jvm/discovery/release_file.h"
#include "jvm/hosting/class_data_cache.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const launcher::ReleaseFacts facts = launcher::ParseReleaseFile(bytes);
  const int feature = launcher::JavaFeatureRelease(facts.javaVersion);
  if (feature < 0) {
    abort();
  }
  const launcher::ClassDataCacheKind kind = launcher::ClassDataCacheKindFor(feature);
  if ((kind == launcher::ClassDataCacheKind::kNone) !=
      launcher::ClassDataOptions(kind, "x", true).empty()) {
    abort();
  }

  // The same bytes as VM options, one per line.
  std::vector<std::string> options;
  for (size_t start = 0; start <= bytes.size();) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) {
      end = bytes.size();
    }
    options.push_back(bytes.substr(start, end - start));
    start = end + 1;
  }
  launcher::VmOptionsManageClassData(options);
  const std::wstring name =
      launcher::ClassDataArchiveName(kind, launcher::DigestText(launcher::ClassDataDigestKey(
                                               facts.javaVersion, facts.implementor, {}, options)));
  if (name.size() != 20 || name.find_first_of(L"/\\") != std::wstring::npos) {
    abort();
  }
  launcher::HasArchiveMagic(bytes);
  return 0;
}
