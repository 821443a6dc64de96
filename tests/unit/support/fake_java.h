#pragma once

// A stand-in for a Java VM at the JNI boundary, for the sequencing of the main-class thread:
// a JNIEnv and a JavaVM whose function tables serve the few operations the launcher uses, over
// a handful of pretend classes and objects. It records what the launcher asked, in order, and
// plays the answers a test chooses (a missing class, a main that throws, a failed detach, ...).
// One FakeJava at a time.

#include <jni.h>

#include <deque>
#include <set>
#include <string>
#include <vector>

namespace launcher::testing {

struct FakeObject {
  std::string className;
  std::u16string chars;              // String, char[], ByteArrayOutputStream contents
  std::vector<FakeObject*> elements; // String[]
  FakeObject* target = nullptr;      // what a PrintStream writes to
  std::string utf;                   // GetStringUTFChars storage
};

class FakeJava {
public:
  FakeJava();
  ~FakeJava();
  FakeJava(const FakeJava&) = delete;
  FakeJava& operator=(const FakeJava&) = delete;

  JNIEnv* env() { return &env_; }
  JavaVM* vm() { return &vm_; }

  // What the launcher did, one entry per operation of interest, in order.
  std::vector<std::string> calls;

  // Answers.
  std::set<std::string> missingClasses; // FindClass fails with NoClassDefFoundError
  std::set<std::string> missingMethods; // "Class.name" lookups that fail
  bool missingMethodRaises = true;      // ...with NoSuchMethodError pending, or silently
  bool helperRaises = false;            // checkAndLoadMain returns null with an error pending
  bool mainThrows = false;              // main ends with an IllegalStateException
  jint detachResult = JNI_OK;
  std::u16string traceText =
      u"java.lang.IllegalStateException: boom\n\tat Main.main(Main.java:1)\n";

  // The arguments main received, as UTF-16 units.
  std::vector<std::u16string> mainArguments;
  FakeObject* pending = nullptr;

  // Internals for the function table.
  FakeObject* New(const std::string& className);
  FakeObject* Class(const std::string& name);
  jmethodID Method(const std::string& owner, const std::string& name);
  const std::string& MethodName(jmethodID method) const;
  void Raise(const std::string& className);

private:
  std::deque<FakeObject> objects_;
  std::deque<std::string> methods_;
  JNINativeInterface_ table_{};
  JNIInvokeInterface_ invokeTable_{};
  JNIEnv env_{};
  JavaVM vm_{};
};

} // namespace launcher::testing
