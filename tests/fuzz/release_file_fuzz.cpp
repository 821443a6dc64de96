// Any bytes as a runtime's release file: the parser takes what it can and never fails.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "jvm/discovery/release_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const launcher::ReleaseFacts facts = launcher::ParseReleaseFile(bytes);
  // A value comes from one line: it never holds a line feed.
  if (facts.javaVersion.find(L'\n') != std::wstring::npos ||
      facts.implementor.find(L'\n') != std::wstring::npos) {
    abort();
  }
  launcher::IsIbmImplementor(facts.implementor);
  return 0;
}
