// The stand-in Java VM of the Windows cases: a jvm.dll that fills only the JNI slots the launcher
// calls, plays the role JVM_ROLE names and logs one line per event to the file JVM_LOG names
// (UTF-16 units outside printable ASCII as \uXXXX). Roles: none (main returns), throw, exit:N
// (main calls System.exit(N)), create:N (JNI_CreateJavaVM returns N), missing (no main class),
// helper-throws (LauncherHelper fails, an error pending), no-main (no main method, nothing
// pending), detach-fails, await:MS (main waits, MS milliseconds at most, for the file JVM_AWAIT
// names); serve and serve-int keep main waiting until a second start hands
// over "stop" to secondaryMain, in its void form or its int form ("code N ..." returns N,
// anything else the number of arguments); serve-none has no secondaryMain, and main calls
// System.exit(7).
// JVM_GATE: JNI_CreateJavaVM waits until that file exists, or, as area:NAME, until a second
// start has written into the single-instance record NAME. JVM_STACK: the default Java stack size
// (1 MiB when unset). Variants: NO_BOOT_LOADER (an older runtime), NO_DEFAULT_ARGS, NO_EXPORTS,
// MISSING_DEPENDENCY. Any other slot, or a lookup or call with an exception pending, is logged
// "unexpected" and exits 86.
// As a runtime does at its end, it writes a class-data archive where the options ask for one
// (8 KiB behind a dynamic archive's magic number) and logs "archive PATH".
// Role throw-trace: as throw, with a stack trace of several lines.
// JVM_CREATE_AWAIT=1: JNI_CreateJavaVM waits for the file JVM_AWAIT names, 20 seconds at most.

#define _WIN32_WINNT 0x0602 // GetCurrentThreadStackLimits
#include "base/windows_api.h"

#ifndef MISSING_DEPENDENCY
#define _JNI_IMPLEMENTATION_ // this library defines the entry points jni.h declares
#endif
#include <jni.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#ifdef MISSING_DEPENDENCY // imports from jvm_full.dll, which no Java home of the cases holds
extern "C" __declspec(dllexport) jint UsesDependency() {
  return JNI_GetDefaultJavaVMInitArgs(nullptr);
}
#endif
#if !defined(MISSING_DEPENDENCY) && !defined(NO_EXPORTS)

namespace {

// Objects live until the process ends: one launch, one VM.
struct Obj {
  std::wstring cls;          // its class; for a class object, the class it stands for
  std::wstring text;         // String, char[], a throwable's message
  std::vector<Obj*> items{}; // Object[]
  Obj* sink = nullptr;       // PrintStream: its OutputStream
  HANDLE file = nullptr;     // FileOutputStream
  std::string bytes{};       // ByteArrayOutputStream
};

FILE* logFile;
std::wstring role;
thread_local Obj* pending; // each thread has its own, as in a VM
std::atomic<int> attachedThreads;
thread_local bool attachedHere;
Obj* out; // System.out and System.err; null: the console, whose output nobody reads
Obj* err;
void(JNICALL* exitHook)(jint);
std::wstring archiveOutput; // the archive to write at the VM's end; empty: none
JNINativeInterface_ functions;
JNIInvokeInterface_ invoke;
JNIEnv_ env;
JavaVM_ vm;

template <typename To = Obj*> To As(const void* reference) {
  return reinterpret_cast<To>(const_cast<void*>(reference));
}
std::wstring Wide(const std::string& ascii) {
  return std::wstring(ascii.begin(), ascii.end());
}

// One write per line, so that lines of threads logging at once stay whole.
void Log(const std::wstring& line) {
  std::string text;
  for (wchar_t unit : line) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, unit >= 0x20 && unit < 0x7f ? "%c" : "\\u%04x", unit);
    text += escaped;
  }
  text += '\n';
  std::fputs(text.c_str(), logFile);
  std::fflush(logFile);
}

[[noreturn]] void Unexpected(const std::wstring& what) {
  Log(L"unexpected " + what);
  ExitProcess(86);
}

// Slot N of the JNI function table; 1000 + N: slot N of the invocation interface.
template <size_t Slot> void JNICALL Trap() {
  Unexpected(L"call of slot " + std::to_wstring(Slot));
}
template <size_t Base, size_t... Slot> void FillTraps(void* table, std::index_sequence<Slot...>) {
  ((static_cast<void**>(table)[Slot] = reinterpret_cast<void*>(&Trap<Base + Slot>)), ...);
}

void NotPending(const std::string& what) {
  if (pending != nullptr) {
    Unexpected(Wide(what) + L" with an exception pending");
  }
}

std::wstring Variable(const wchar_t* name) {
  std::wstring value(32767, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), 32767));
  return value;
}

Obj* New(const std::wstring& cls, const std::wstring& text = {}) {
  return new Obj{cls, text};
}

Obj* Throw(const wchar_t* cls, const std::wstring& message) {
  pending = New(cls, message);
  return nullptr;
}

// "-XX:ArchiveClassesAtExit=", "-XX:AOTCacheOutput=", or "-XX:SharedArchiveFile=" with
// "-XX:+AutoCreateSharedArchive" when that file is empty or missing.
void NoteArchiveOption(const std::wstring& option, bool autoCreate) {
  for (const wchar_t* prefix :
       {L"-XX:ArchiveClassesAtExit=", L"-XX:AOTCacheOutput=", L"-XX:SharedArchiveFile="}) {
    const std::wstring name(prefix);
    if (option.rfind(name, 0) != 0 || (name == L"-XX:SharedArchiveFile=" && !autoCreate)) {
      continue;
    }
    WIN32_FILE_ATTRIBUTE_DATA data;
    const std::wstring path = option.substr(name.size());
    if (name != L"-XX:SharedArchiveFile=" ||
        !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.nFileSizeLow == 0 && data.nFileSizeHigh == 0)) {
      archiveOutput = path;
    }
  }
}

void WriteArchive() {
  if (archiveOutput.empty()) {
    return;
  }
  std::string bytes(8192, '\0');
  bytes.replace(0, 4, "\xa8\xab\x0b\xf0");
  if (FILE* file = _wfopen(archiveOutput.c_str(), L"wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  Log(L"archive " + archiveOutput);
  archiveOutput.clear();
}

[[noreturn]] void Exit(jint code, const wchar_t* by) {
  WriteArchive();
  exitHook(code); // the host's, given with the option "exit"
  Log(L"exit " + std::to_wstring(code) + L" by " + by);
  ExitProcess(static_cast<UINT>(code));
}

// Writes to a file stream's file, or into a byte stream (which gets one text only here).
void Print(Obj* stream, const std::wstring& text) {
  if (stream != nullptr) {
    std::string& bytes = stream->sink->bytes = std::string(text.begin(), text.end());
    DWORD written = 0;
    WriteFile(stream->sink->file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
              nullptr);
  }
}

bool IsApplicationClass(const std::wstring& name) {
  return !name.empty() && name.rfind(L"java/", 0) != 0 && name.rfind(L"sun/", 0) != 0 &&
         name.find(L'.') == std::wstring::npos;
}

// Set by a hand-over of "stop"; main of the serve roles waits for it.
HANDLE StopEvent() {
  static HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  return stop;
}

// secondaryMain: one log line with the arguments; "stop" lets main return, "throw" throws.
thread_local jint intResult;
Obj* RunSecondary(Obj*, va_list list) {
  const std::vector<Obj*>& items = va_arg(list, Obj*)->items;
  std::wstring line = role == L"serve-int" ? L"secondary-int" : L"secondary";
  for (Obj* argument : items) {
    line += L" <" + argument->text + L">";
  }
  Log(line);
  const std::wstring first = items.empty() ? L"" : items[0]->text;
  intResult = items.size() >= 2 && first == L"code" ? std::stoi(items[1]->text)
                                                    : static_cast<jint>(items.size());
  if (first == L"stop") {
    SetEvent(StopEvent());
  } else if (first == L"throw") {
    intResult = 0;
    Throw(L"java/lang/IllegalStateException", L"thrown by secondaryMain");
  }
  return nullptr;
}

Obj* RunMain(Obj* cls, va_list list) {
  ULONG_PTR low = 0, high = 0;
  GetCurrentThreadStackLimits(&low, &high);
  Log(L"main " + cls->cls);
  Log(L"stack " + std::to_wstring(high - low));
  for (Obj* argument : va_arg(list, Obj*)->items) {
    Log(L"arg " + argument->text);
  }
  Print(out, L"System.out of " + cls->cls + L"\r\n");
  Print(err, L"System.err of " + cls->cls + L"\r\n");
  if (role == L"serve-none") {
    Exit(7, L"main");
  } else if (role.rfind(L"serve", 0) == 0) {
    WaitForSingleObject(StopEvent(), INFINITE);
  } else if (role == L"throw" || role == L"throw-trace") {
    Throw(L"java/lang/IllegalStateException", L"thrown by main");
  } else if (role.rfind(L"exit:", 0) == 0) {
    Exit(std::stoi(role.substr(5)), L"main");
  } else if (role.rfind(L"await:", 0) == 0) {
    const std::wstring marker = Variable(L"JVM_AWAIT");
    for (const ULONGLONG end = GetTickCount64() + std::stoi(role.substr(6));
         GetTickCount64() < end && GetFileAttributesW(marker.c_str()) == INVALID_FILE_ATTRIBUTES;
         Sleep(50)) {
    }
  }
  return nullptr;
}

Obj* OpenFile(Obj*, va_list list) {
  const std::wstring path = va_arg(list, Obj*)->text;
  const bool append = va_arg(list, int) != JNI_FALSE;
  HANDLE file = CreateFileW(path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  return file == INVALID_HANDLE_VALUE ? Throw(L"java/io/FileNotFoundException", path)
                                      : new Obj{L"java/io/FileOutputStream", {}, {}, nullptr, file};
}

Obj* NewPrintStream(Obj*, va_list list) {
  return new Obj{L"java/io/PrintStream", {}, {}, va_arg(list, Obj*)};
}

// LauncherHelper.checkAndLoadMain(printToStderr, mode, name): the class by its binary name, or
// an error on System.err and System.exit(1).
Obj* CheckAndLoadMain(Obj*, va_list list) {
  const int printToStderr = va_arg(list, int), mode = va_arg(list, int);
  std::wstring name = va_arg(list, Obj*)->text;
  Log(L"helper " + name + L" " + std::to_wstring(printToStderr) + L" " + std::to_wstring(mode));
  if (role == L"helper-throws") {
    return Throw(L"java/lang/InternalError", L"LauncherHelper failed");
  } else if (role == L"missing") {
    Print(err, L"Error: Could not find or load main class " + name + L"\r\n");
    Exit(1, L"LauncherHelper");
  }
  std::replace(name.begin(), name.end(), L'.', L'/');
  return New(name);
}

// The methods the launcher uses, with what they do here.
struct Method {
  const char* cls; // "" for any class of the application
  const char* name;
  const char* sig;
  bool isStatic;
  Obj* (*call)(Obj* target, va_list arguments);
};
const Method kMethods[] = {
    {"java/lang/String", "<init>", "([C)V", false,
     [](Obj*, va_list list) { return New(L"java/lang/String", va_arg(list, Obj*)->text); }},
    {"java/io/FileOutputStream", "<init>", "(Ljava/lang/String;Z)V", false, OpenFile},
    {"java/io/PrintStream", "<init>", "(Ljava/io/OutputStream;)V", false, NewPrintStream},
    {"java/io/PrintStream", "<init>", "(Ljava/io/OutputStream;ZLjava/lang/String;)V", false,
     NewPrintStream},
    {"java/io/ByteArrayOutputStream", "<init>", "()V", false,
     [](Obj*, va_list) { return New(L"java/io/ByteArrayOutputStream"); }},
    {"java/io/ByteArrayOutputStream", "toString", "(Ljava/lang/String;)Ljava/lang/String;", false,
     [](Obj* bytes, va_list) { return New(L"java/lang/String", Wide(bytes->bytes)); }},
    {"java/lang/IllegalStateException", "printStackTrace", "(Ljava/io/PrintStream;)V", false,
     [](Obj* thrown, va_list list) {
       const std::wstring trace = role == L"throw-trace"
                                      ? L"\tat com.example.Main.check(Main.java:42)\r\n"
                                        L"\tat com.example.Main.main(Main.java:7)\r\n"
                                      : L"";
       Print(va_arg(list, Obj*), thrown->cls + L": " + thrown->text + L"\r\n" + trace);
       return static_cast<Obj*>(nullptr);
     }},
    {"java/lang/System", "setOut", "(Ljava/io/PrintStream;)V", true,
     [](Obj*, va_list list) { return out = va_arg(list, Obj*), static_cast<Obj*>(nullptr); }},
    {"java/lang/System", "setErr", "(Ljava/io/PrintStream;)V", true,
     [](Obj*, va_list list) { return err = va_arg(list, Obj*), static_cast<Obj*>(nullptr); }},
    {"java/lang/System", "exit", "(I)V", true,
     [](Obj*, va_list list) -> Obj* { Exit(va_arg(list, jint), L"System.exit"); }},
    {"sun/launcher/LauncherHelper", "checkAndLoadMain", "(ZILjava/lang/String;)Ljava/lang/Class;",
     true, CheckAndLoadMain},
    {"", "main", "([Ljava/lang/String;)V", true, RunMain},
    {"", "secondaryMain", "([Ljava/lang/String;)V", true, RunSecondary},
    {"", "secondaryMain", "([Ljava/lang/String;)I", true, RunSecondary},
};

// The serve roles offer one form of secondaryMain, or none.
bool Offered(const Method& method) {
  if (method.call != RunSecondary) {
    return true;
  }
  const bool intForm = std::strchr(method.sig, 'I') != nullptr;
  return (role == L"serve" && !intForm) || (role == L"serve-int" && intForm);
}

// NewObjectV and the Call...MethodV functions (Lookup keeps static and instance methods apart).
template <typename Result, typename Target>
Result JNICALL Invoke(JNIEnv*, Target target, jmethodID id, va_list list) {
  const Method& method = *reinterpret_cast<const Method*>(id);
  NotPending(method.name);
  return static_cast<Result>(As<jobject>(method.call(As(target), list)));
}

template <bool isStatic>
jmethodID JNICALL Lookup(JNIEnv*, jclass cls, const char* name, const char* sig) {
  NotPending(name);
  const std::wstring& owner = As(cls)->cls;
  for (const Method& method : kMethods) {
    if ((owner == Wide(method.cls) || (*method.cls == '\0' && IsApplicationClass(owner))) &&
        std::strcmp(name, method.name) == 0 && std::strcmp(sig, method.sig) == 0 &&
        method.isStatic == isStatic) {
      if (!Offered(method)) {
        break;
      }
      // A VM may report a missing method without raising an error.
      return method.call == RunMain && role == L"no-main"
                 ? nullptr
                 : reinterpret_cast<jmethodID>(const_cast<Method*>(&method));
    }
  }
  Throw(L"java/lang/NoSuchMethodError", Wide(name));
  return nullptr;
}

void FillFunctions() {
  FillTraps<0>(&functions, std::make_index_sequence<sizeof functions / sizeof(void*)>());
  FillTraps<1000>(&invoke, std::make_index_sequence<sizeof invoke / sizeof(void*)>());
  functions.FindClass = [](JNIEnv*, const char* name) {
    NotPending("FindClass");
    const std::wstring library = L" java/lang/String java/lang/System java/io/FileOutputStream "
                                 L"java/io/PrintStream java/io/ByteArrayOutputStream ";
    if (library.find(L' ' + Wide(name) + L' ') != std::wstring::npos ||
        (IsApplicationClass(Wide(name)) && role != L"missing")) {
      return As<jclass>(New(Wide(name)));
    }
    return As<jclass>(Throw(L"java/lang/NoClassDefFoundError", Wide(name)));
  };
  functions.GetMethodID = Lookup<false>;
  // A launcher helper from before instance and argument-less mains: it leaves no form.
  functions.GetStaticFieldID = [](JNIEnv*, jclass, const char* name, const char*) -> jfieldID {
    Throw(L"java/lang/NoSuchFieldError", Wide(name));
    return nullptr;
  };
  functions.GetStaticMethodID = Lookup<true>;
  functions.NewObjectV = Invoke<jobject, jclass>;
  functions.CallObjectMethodV = Invoke<jobject, jobject>;
  functions.CallVoidMethodV = Invoke<void, jobject>;
  functions.CallStaticObjectMethodV = Invoke<jobject, jclass>;
  functions.CallStaticVoidMethodV = Invoke<void, jclass>;
  functions.CallStaticIntMethodV = [](JNIEnv* env, jclass cls, jmethodID id, va_list list) {
    Invoke<void, jclass>(env, cls, id, list);
    return intResult;
  };
  functions.GetObjectClass = [](JNIEnv*, jobject object) {
    return As<jclass>(New(As(object)->cls));
  };
  functions.NewStringUTF = [](JNIEnv*, const char* text) {
    return As<jstring>(New(L"java/lang/String", Wide(text)));
  };
  functions.NewCharArray = [](JNIEnv*, jsize length) {
    return As<jcharArray>(New(L"[C", std::wstring(length, L'\0')));
  };
  functions.SetCharArrayRegion = [](JNIEnv*, jcharArray array, jsize start, jsize length,
                                    const jchar* units) {
    std::copy(units, units + length, As(array)->text.begin() + start);
  };
  functions.NewObjectArray = [](JNIEnv*, jsize length, jclass cls, jobject initial) {
    return As<jobjectArray>(
        new Obj{L"[L" + As(cls)->cls + L";", {}, std::vector<Obj*>(length, As(initial))});
  };
  functions.SetObjectArrayElement = [](JNIEnv*, jobjectArray array, jsize index, jobject value) {
    As(array)->items.at(index) = As(value);
  };
  // Class names are ASCII here, which modified UTF-8 leaves as it is.
  functions.GetStringUTFChars = [](JNIEnv*, jstring text, jboolean*) -> const char* {
    return _strdup(std::string(As(text)->text.begin(), As(text)->text.end()).c_str());
  };
  functions.ReleaseStringUTFChars = [](JNIEnv*, jstring, const char* chars) {
    free(const_cast<char*>(chars));
  };
  functions.DeleteLocalRef = [](JNIEnv*, jobject) {};
  functions.ExceptionCheck = [](JNIEnv*) -> jboolean { return pending != nullptr; };
  functions.ExceptionOccurred = [](JNIEnv*) { return As<jthrowable>(pending); };
  functions.ExceptionClear = [](JNIEnv*) { pending = nullptr; };
  functions.ExceptionDescribe = [](JNIEnv*) {
    Log(pending == nullptr ? L"describe" : L"describe " + pending->cls + L": " + pending->text);
    pending = nullptr;
  };
  // A VM prints an exception still pending on System.err as the thread ends.
  invoke.DetachCurrentThread = [](JavaVM*) -> jint {
    if (attachedHere) {
      attachedHere = false;
      --attachedThreads;
    }
    const jint result = role == L"detach-fails" ? JNI_ERR : JNI_OK;
    Log(L"detach " + std::to_wstring(result) + (pending ? L" uncaught " + pending->cls : L""));
    pending = nullptr;
    return result;
  };
  // As a VM, waits for the threads attached to it (they are not daemons).
  invoke.DestroyJavaVM = [](JavaVM*) -> jint {
    while (attachedThreads > 0) {
      Sleep(1);
    }
    WriteArchive();
    return Log(L"destroy"), JNI_OK;
  };
  invoke.AttachCurrentThread = [](JavaVM*, void** jniEnv, void* args) -> jint {
    Log(args == nullptr ? L"attach" : L"attach with arguments");
    attachedHere = true;
    ++attachedThreads;
    *jniEnv = &env;
    return JNI_OK;
  };
}

// JVM_GATE: a file, or area:NAME: until a second start has written its arguments into the
// single-instance record NAME (its post follows at once, long before this primary could end).
void WaitAtGate() {
  const std::wstring gate = Variable(L"JVM_GATE");
  if (gate.rfind(L"area:", 0) == 0) {
    HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, gate.c_str() + 5);
    const auto* block = static_cast<const volatile unsigned char*>(
        mapping != nullptr ? MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : nullptr);
    while (block != nullptr && block[12] == 0) {
      Sleep(10);
    }
    return;
  }
  while (!gate.empty() && GetFileAttributesW(gate.c_str()) == INVALID_FILE_ATTRIBUTES) {
    Sleep(10);
  }
}

} // namespace

extern "C" JNIEXPORT jint JNICALL JNI_CreateJavaVM(JavaVM** javaVm, void** jniEnv, void* args) {
  const auto* init = static_cast<JavaVMInitArgs*>(args);
  role = Variable(L"JVM_ROLE");
  Log(L"create version " + std::to_wstring(init->version >> 16) + L"." +
      std::to_wstring(init->version & 0xffff) + L" ignoreUnrecognized " +
      std::to_wstring(init->ignoreUnrecognized));
  bool autoCreate = false;
  for (jint i = 0; i < init->nOptions; ++i) {
    autoCreate = autoCreate ||
                 std::strcmp(init->options[i].optionString, "-XX:+AutoCreateSharedArchive") == 0;
  }
  for (jint i = 0; i < init->nOptions; ++i) {
    const JavaVMOption& option = init->options[i];
    std::wstring text(32767, L'\0');
    text.resize(std::max(
        MultiByteToWideChar(CP_ACP, 0, option.optionString, -1, text.data(), 32767) - 1, 0));
    Log(L"option " + text + (option.extraInfo != nullptr ? L" (hook)" : L""));
    NoteArchiveOption(text, autoCreate);
    if (text == L"exit") {
      exitHook = reinterpret_cast<void(JNICALL*)(jint)>(option.extraInfo);
    }
  }
  WaitAtGate();
  if (Variable(L"JVM_CREATE_AWAIT") == L"1") {
    const std::wstring marker = Variable(L"JVM_AWAIT");
    for (const ULONGLONG end = GetTickCount64() + 20000;
         GetTickCount64() < end && GetFileAttributesW(marker.c_str()) == INVALID_FILE_ATTRIBUTES;
         Sleep(50)) {
    }
  }
  if (role.rfind(L"create:", 0) == 0) {
    return std::stoi(role.substr(7));
  }
  FillFunctions();
  env.functions = &functions;
  vm.functions = &invoke;
  *javaVm = &vm;
  *jniEnv = &env;
  return JNI_OK;
}

#ifndef NO_DEFAULT_ARGS
// As HotSpot: a JNI 1.1 record gets the default stack size, yet the result is "unsupported".
extern "C" JNIEXPORT jint JNICALL JNI_GetDefaultJavaVMInitArgs(void* args) {
  struct Jdk11InitArgs { // up to the field a host reads
    jint version;
    char** properties;
    jint checkSource, nativeStackSize, javaStackSize;
  }* init = static_cast<Jdk11InitArgs*>(args);
  if (init->version == JNI_VERSION_1_1) {
    const std::wstring size = Variable(L"JVM_STACK");
    init->version = JNI_VERSION_1_2;
    init->javaStackSize = size.empty() ? 1048576 : std::stoi(size);
  }
  return JNI_ERR;
}
#endif

#ifndef NO_BOOT_LOADER
extern "C" JNIEXPORT jclass JNICALL JVM_FindClassFromBootLoader(JNIEnv*, const char* name) {
  return std::strcmp(name, "sun/launcher/LauncherHelper") == 0 ? As<jclass>(New(Wide(name)))
                                                               : nullptr;
}
#endif

// Notes the environment the host prepared for the runtime before loading it.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    logFile = _wfopen(Variable(L"JVM_LOG").c_str(), L"ab");
    logFile = logFile != nullptr ? logFile : std::fopen("NUL", "w");
    Log(L"load");
    for (const wchar_t* name : {L"ZL_JVM_PATH", L"ZL_JVM_HOME", L"Path"}) {
      Log(L"env " + std::wstring(name) + L"=" + Variable(name));
    }
  }
  return TRUE;
}

#endif
