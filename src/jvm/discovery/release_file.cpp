#include "jvm/discovery/release_file.h"

#include "base/files.h"
#include "base/platform.h"
#include "base/text.h"

namespace launcher {
namespace {

// A release file is a few lines; anything longer is not read past this.
constexpr size_t kReleaseFileLimit = 64 * 1024;

std::wstring Unquoted(std::wstring value) {
  if (value.size() >= 2 && value.front() == L'"' && value.back() == L'"') {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

} // namespace

ReleaseFacts ParseReleaseFile(std::string_view bytes) {
  ReleaseFacts facts;
  const std::wstring text = FromUtf8(bytes);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) {
      end = text.size();
    }
    std::wstring line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == L'\r') {
      line.pop_back();
    }
    const size_t equals = line.find(L'=');
    if (equals == std::wstring::npos) {
      continue;
    }
    const std::wstring key = line.substr(0, equals);
    if (key == L"JAVA_VERSION" && facts.javaVersion.empty()) {
      facts.javaVersion = Unquoted(line.substr(equals + 1));
    } else if (key == L"IMPLEMENTOR" && facts.implementor.empty()) {
      facts.implementor = Unquoted(line.substr(equals + 1));
    }
  }
  return facts;
}

ReleaseFacts ReadReleaseFile(const std::wstring& javaHome) {
  return ParseReleaseFile(ReadFileStart(javaHome + L"release", kReleaseFileLimit));
}

bool IsIbmImplementor(std::wstring_view implementor) {
  return implementor.find(L"IBM") != std::wstring_view::npos ||
         implementor.find(L"International Business Machines") != std::wstring_view::npos;
}

bool IsIbmRuntimeHome(const ReleaseFacts& facts, std::wstring_view javaHome, wchar_t separator) {
  if (!facts.implementor.empty()) {
    return IsIbmImplementor(facts.implementor);
  }
  for (const std::wstring& folder : SplitList(javaHome, separator)) {
    const std::wstring_view name(folder);
    if (EqualsIgnoringAsciiCase(name, L"ibm") ||
        (name.size() > 3 && EqualsIgnoringAsciiCase(name.substr(0, 3), L"ibm") &&
         (name[3] == L'-' || name[3] == L'_'))) {
      return true;
    }
  }
  return false;
}

bool IsIbmRuntimeHome(const std::wstring& javaHome) {
  return IsIbmRuntimeHome(ReadReleaseFile(javaHome), javaHome, kPathSeparator);
}

} // namespace launcher
