#include "jvm/discovery/jvm_layout.h"

#include "base/path_rules.h"

namespace launcher {
namespace {

// The architecture folder of the older layout, lib/<arch>/server/libjvm.so.
#if defined(__x86_64__)
constexpr const wchar_t* kArchFolder = L"amd64";
#elif defined(__i386__)
constexpr const wchar_t* kArchFolder = L"i386";
#elif defined(__aarch64__)
constexpr const wchar_t* kArchFolder = L"aarch64";
#else
constexpr const wchar_t* kArchFolder = nullptr;
#endif

std::vector<std::wstring> NamesIn(const wchar_t* folder) {
  std::vector<std::wstring> names{std::wstring(L"lib/") + folder + L"/libjvm.so"};
  if (kArchFolder != nullptr) {
    names.push_back(std::wstring(L"lib/") + kArchFolder + L"/" + folder + L"/libjvm.so");
  }
  return names;
}

} // namespace

std::vector<std::wstring> JvmLibraryNames(JvmKind kind) {
  switch (kind) {
  case JvmKind::kServer:
    return NamesIn(L"server");
  case JvmKind::kClient:
    return NamesIn(L"client");
  case JvmKind::kClassic:
    return NamesIn(L"classic");
  case JvmKind::kHotspot:
    return NamesIn(L"hotspot");
  case JvmKind::kJrockit:
    return NamesIn(L"jrockit");
  }
  return {};
}

std::wstring ShippedRuntimeMarker() {
  return L"lib/libjava.so";
}

std::wstring ShippedRuntimeFolder() {
  return L"jre64/";
}

std::wstring JdkCompilerName() {
  return L"bin/javac";
}

std::wstring JdkRuntimeFolder() {
  return L"jre/";
}

std::wstring RuntimeHome(const std::wstring& jvmLibraryPath) {
  // <home>/lib/<variant>/libjvm.so, or <home>/lib/<arch>/<variant>/libjvm.so: the home is the
  // folder that holds "lib". The variant's parent decides which layout this is; a home that
  // is itself named "lib" is still found because the nearer "lib" is tried first.
  const std::wstring variantParent = StripPathComponents(jvmLibraryPath, 2, L'/');
  if (FileNameOf(variantParent, L'/') == L"lib") {
    return StripPathComponents(variantParent, 1, L'/');
  }
  const std::wstring archParent = StripPathComponents(variantParent, 1, L'/');
  if (FileNameOf(archParent, L'/') == L"lib") {
    return StripPathComponents(archParent, 1, L'/');
  }
  return StripPathComponents(jvmLibraryPath, 3, L'/');
}

std::wstring RuntimeBinFolder(const std::wstring& jvmLibraryPath) {
  return RuntimeHome(jvmLibraryPath) + L"/bin";
}

std::wstring RuntimeLibFolder(const std::wstring& jvmLibraryPath) {
  return RuntimeHome(jvmLibraryPath) + L"/lib";
}

} // namespace launcher
