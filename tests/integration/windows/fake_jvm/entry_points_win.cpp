#include "base/windows_api.h"

#include <cstdint>
#include <cstdio>

#include "entry_points.h"
#include "fake_vm.h"
#include "java_library.h"
#include "log_record.h"
#include "modified_utf8.h"

namespace fake_jvm {
namespace {

constexpr long long kDefaultJavaStackSize = 1048576;

std::u16string ReadVariable(const wchar_t* name, bool& isSet) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  isSet = size > 0;
  if (size == 0) {
    return {};
  }
  std::wstring value(size, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), size));
  return std::u16string(value.begin(), value.end());
}

std::string ReadAsciiVariable(const wchar_t* name) {
  bool isSet = false;
  const std::u16string value = ReadVariable(name, isSet);
  std::string ascii;
  for (char16_t unit : value) {
    ascii += unit < 0x80 ? static_cast<char>(unit) : '?';
  }
  return ascii;
}

std::u16string FromAnsi(const char* text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (length <= 0) {
    return {};
  }
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
  wide.resize(static_cast<size_t>(length) - 1);
  return std::u16string(wide.begin(), wide.end());
}

std::string Hex(jint value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lx", static_cast<unsigned long>(value));
  return text;
}

bool IsSupportedVersion(jint version) {
  for (jint supported : {JNI_VERSION_1_2, JNI_VERSION_1_4, JNI_VERSION_1_6, JNI_VERSION_1_8,
                         JNI_VERSION_9, JNI_VERSION_10}) {
    if (version == supported) {
      return true;
    }
  }
  return false;
}

// The environment a host prepares for the runtime before loading it.
void LogEnvironment() {
  for (const wchar_t* name : {L"ZL_JVM_PATH", L"ZL_JVM_HOME", L"Path"}) {
    bool isSet = false;
    const std::u16string value = ReadVariable(name, isSet);
    LogRecord("environment")
        .Text("name", std::u16string(name, name + wcslen(name)))
        .Flag("set", isSet)
        .Text("value", value);
  }
}

void RecordOptions(const JavaVMInitArgs& init) {
  VmState& vm = Vm();
  for (jint i = 0; i < init.nOptions; ++i) {
    const JavaVMOption& option = init.options[i];
    const char* text = option.optionString != nullptr ? option.optionString : "";
    LogRecord("option")
        .Number("index", i)
        .Text("text", FromAnsi(text))
        .Flag("extraInfo", option.extraInfo != nullptr);
    if (std::string_view(text) == "exit") {
      vm.exitHook = reinterpret_cast<ExitHook>(option.extraInfo);
    } else if (std::string_view(text) == "abort") {
      vm.abortHook = reinterpret_cast<AbortHook>(option.extraInfo);
    }
  }
}

jint CreationResult(const JavaVMInitArgs* init) {
  VmState& vm = Vm();
  if (vm.createAttempted) {
    return JNI_EEXIST;
  }
  vm.createAttempted = true;
  if (vm.roles.createFails) {
    return vm.roles.createResult;
  }
  if (init == nullptr || (init->nOptions > 0 && init->options == nullptr) || init->nOptions < 0) {
    return JNI_EINVAL;
  }
  return IsSupportedVersion(init->version) ? JNI_OK : JNI_EVERSION;
}

} // namespace

jint DefaultJavaVmInitArgs(void* arguments) {
  auto* record = static_cast<launcher::JDK1_1InitArgs*>(arguments);
  if (record == nullptr) {
    ReportMisuse("JNI_GetDefaultJavaVMInitArgs", "passes no record");
    return JNI_ERR;
  }
  const jint version = record->version;
  long long stackSize = kDefaultJavaStackSize;
  const std::string configured = ReadAsciiVariable(L"FAKE_JVM_STACK_SIZE");
  if (!configured.empty() && !ParseInteger(configured, INT32_MIN, INT32_MAX, stackSize)) {
    ReportMisuse("JNI_GetDefaultJavaVMInitArgs", "FAKE_JVM_STACK_SIZE is not an integer");
  }
  // As HotSpot does: a JNI 1.1 record gets the default stack size and the version it
  // speaks, yet the result says the version is not supported.
  if (version == JNI_VERSION_1_1) {
    record->version = JNI_VERSION_1_2;
    record->javaStackSize = static_cast<jint>(stackSize);
  }
  const jint result = IsSupportedVersion(version) ? JNI_OK : JNI_ERR;
  LogRecord("GetDefaultJavaVMInitArgs")
      .Number("thread", GetCurrentThreadId())
      .Ascii("version", Hex(version))
      .Number("javaStackSize", version == JNI_VERSION_1_1 ? stackSize : 0)
      .Number("result", result);
  return result;
}

jint CreateJavaVm(JavaVM** javaVm, void** env, void* arguments) {
  VmState& vm = Vm();
  std::lock_guard<std::recursive_mutex> guard(vm.lock);
  vm.roles = ParseRoles(ReadAsciiVariable(L"FAKE_JVM_ROLE"));
  for (const std::string& unknown : vm.roles.unknown) {
    ReportMisuse("JNI_CreateJavaVM", "FAKE_JVM_ROLE names an unknown role " + unknown);
  }
  const auto* init = static_cast<const JavaVMInitArgs*>(arguments);
  LogRecord("CreateJavaVM")
      .Number("thread", GetCurrentThreadId())
      .Number("loaderThread", vm.loaderThread)
      .Ascii("version", Hex(init != nullptr ? init->version : 0))
      .Number("nOptions", init != nullptr ? init->nOptions : 0)
      .Flag("ignoreUnrecognized", init != nullptr && init->ignoreUnrecognized != JNI_FALSE);
  const jint result = CreationResult(init);
  if (init != nullptr && init->nOptions > 0 && init->options != nullptr) {
    RecordOptions(*init);
  }
  if (result == JNI_OK) {
    vm.created = true;
    vm.creatorThread = GetCurrentThreadId();
    vm.javaVm.functions = InvokeInterface();
    CreateConsoleStreams();
  }
  if (javaVm != nullptr) {
    *javaVm = result == JNI_OK ? &vm.javaVm : nullptr;
  }
  if (env != nullptr) {
    *env = result == JNI_OK ? &AttachEnv(vm.creatorThread)->jni : nullptr;
  }
  LogRecord("created").Number("result", result);
  return result;
}

jclass FindClassFromBootLoader(JNIEnv* jniEnv, const char* name) {
  FakeEnv& env = CheckedEnv(jniEnv, "JVM_FindClassFromBootLoader");
  FakeObject* classObject = name != nullptr ? LoadClass(env, name, true) : nullptr;
  LogRecord("JVM_FindClassFromBootLoader")
      .Text("name", name != nullptr ? DecodeModifiedUtf8(name) : u"<null>")
      .Flag("found", classObject != nullptr)
      .Number("thread", GetCurrentThreadId());
  return static_cast<jclass>(NewReference(classObject));
}

} // namespace fake_jvm

// The library notes the thread that loads it (the host's main thread, normally), the host's
// command line and the environment it was loaded in.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    fake_jvm::Vm().loaderThread = GetCurrentThreadId();
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    const wchar_t* commandLine = GetCommandLineW();
    fake_jvm::LogRecord("load")
        .Number("thread", GetCurrentThreadId())
        .Text("module", std::u16string(path, path + wcslen(path)))
        .Text("commandLine", std::u16string(commandLine, commandLine + wcslen(commandLine)));
    fake_jvm::LogEnvironment();
  }
  return TRUE;
}
