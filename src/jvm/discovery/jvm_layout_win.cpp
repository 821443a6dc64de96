#include "jvm/discovery/jvm_layout.h"

#include "base/path_rules.h"

namespace launcher {

std::vector<std::wstring> JvmLibraryNames(JvmKind kind) {
  switch (kind) {
  case JvmKind::kServer:
    return {L"bin\\server\\jvm.dll"};
  case JvmKind::kClient:
    return {L"bin\\client\\jvm.dll"};
  case JvmKind::kClassic:
    return {L"bin\\classic\\jvm.dll"};
  case JvmKind::kHotspot:
    return {L"bin\\hotspot\\jvm.dll"};
  case JvmKind::kJrockit:
    return {L"bin\\jrockit\\jvm.dll"};
  }
  return {};
}

std::wstring ShippedRuntimeMarker() {
  return L"bin\\java.dll";
}

std::wstring ShippedRuntimeFolder() {
  return L"jre64\\";
}

std::wstring JdkCompilerName() {
  return L"bin\\javac.exe";
}

std::wstring JdkRuntimeFolder() {
  return L"jre\\";
}

std::wstring RuntimeHome(const std::wstring& jvmLibraryPath) {
  return StripPathComponents(jvmLibraryPath, 3, L'\\');
}

std::wstring RuntimeBinFolder(const std::wstring& jvmLibraryPath) {
  return StripPathComponents(jvmLibraryPath, 2, L'\\');
}

std::wstring RuntimeLibFolder(const std::wstring& jvmLibraryPath) {
  return RuntimeHome(jvmLibraryPath) + L"\\lib";
}

} // namespace launcher
