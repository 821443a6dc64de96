#pragma once

// The state of the stand-in Java VM: a handful of fake objects behind JNI references, one
// JNIEnv per attached thread, and the checks a real VM's JNI checking would make (references
// used after deletion, an env used on another thread or after detaching, a VM used after it
// was destroyed). Every such mistake is recorded as a "misuse" event and the call goes on
// with a null value, so a test sees the whole run and then fails on the record.

#include <jni.h>

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "roles.h"

namespace fake_jvm {

enum class ObjectKind {
  kClass,
  kString,
  kCharArray,
  kObjectArray,
  kThrowable,
  kFileStream,  // java.io.FileOutputStream, or the console behind the initial System.out/err
  kPrintStream, // java.io.PrintStream
  kByteStream,  // java.io.ByteArrayOutputStream
  kPlain,       // an instance of any other class
};

struct FakeObject {
  ObjectKind kind = ObjectKind::kPlain;
  std::string className;             // the object's own class, slash form
  std::string namedClass;            // kClass: the class it stands for
  std::u16string chars;              // kString, kCharArray
  std::vector<FakeObject*> elements; // kObjectArray
  std::string elementClass;          // kObjectArray
  std::u16string path;               // kFileStream: the file name as the host gave it
  void* file = nullptr;              // kFileStream: the open file or console handle
  bool append = false;               // kFileStream: opened for appending
  FakeObject* sink = nullptr;        // kPrintStream: the stream it writes to
  std::string bytes;                 // kByteStream: what was written
  std::u16string message;            // kThrowable
  std::u16string frames;             // kThrowable: the "\tat ..." lines of its stack trace
};

enum class MethodKind {
  kStringInit,
  kSystemExit,
  kSystemSetOut,
  kSystemSetErr,
  kFileStreamInit,
  kPrintStreamInit,
  kByteStreamInit,
  kByteStreamToString,
  kPrintStackTrace,
  kThrowableToString,
  kCheckAndLoadMain,
  kMain,
};

struct FakeMethod {
  MethodKind kind;
  std::string className;
  std::string name;
  std::string signature;
  bool isStatic;
};

struct Reference {
  FakeObject* object;
  bool global;
  bool deleted;
};

// What the host sees as a JNIEnv*; `jni` must stay the first member.
struct FakeEnv {
  JNIEnv_ jni;
  unsigned long thread;
  FakeObject* pending = nullptr;
  bool detached = false;
};

using ExitHook = void(JNICALL*)(jint code);
using AbortHook = void(JNICALL*)();

struct VmState {
  std::recursive_mutex lock;
  Roles roles;
  bool createAttempted = false;
  bool created = false;
  bool destroyed = false;
  unsigned long loaderThread = 0;
  unsigned long creatorThread = 0;
  ExitHook exitHook = nullptr;
  AbortHook abortHook = nullptr;
  JavaVM_ javaVm{};
  std::map<unsigned long, FakeEnv*> envs;
  std::set<const Reference*> references;
  std::set<const FakeMethod*> methods;
  std::set<const char*> utfChars;
  std::set<const jchar*> stringChars;
  FakeObject* out = nullptr; // System.out
  FakeObject* err = nullptr; // System.err
};

VmState& Vm();

// The function tables of the VM, filled once.
const JNINativeInterface_* NativeInterface();
const JNIInvokeInterface_* InvokeInterface();

// A new env for the calling thread (or its existing one).
FakeEnv* AttachEnv(unsigned long thread);

// The env behind a pointer the host handed in, after the checks named above.
FakeEnv& CheckedEnv(JNIEnv* env, const char* function);
// Records a call made while an exception is pending, which JNI allows only for a few functions.
void CheckNoPendingException(const FakeEnv& env, const char* function);

void ReportMisuse(const char* function, std::string_view what);

FakeObject* NewObject(ObjectKind kind, std::string className);
jobject NewReference(FakeObject* object, bool global = false);
// The object behind a reference; null for a null reference. A reference the VM never issued,
// or one already deleted, is reported and read as null.
FakeObject* Deref(jobject reference, const char* function);
void DeleteReference(jobject reference, bool global, const char* function);

FakeMethod* NewMethod(MethodKind kind, std::string className, std::string name,
                      std::string signature, bool isStatic);
FakeMethod* CheckedMethod(jmethodID method, const char* function);

void Throw(FakeEnv& env, std::string className, std::u16string message, std::u16string frames = {});

// System.exit as a real VM performs it: the host's "exit" hook with the code, then the end
// of the process with that code.
[[noreturn]] void ExitVm(int code, const char* cause);

// A JNI slot the fake does not implement: recorded, the host's "abort" hook, then the end of
// the process with exit code kUnexpectedCallExitCode.
constexpr int kUnexpectedCallExitCode = 134;
[[noreturn]] void AbortVm(std::string_view what);

unsigned long CurrentThreadId();

} // namespace fake_jvm
