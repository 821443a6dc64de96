#pragma once

// The few Java classes a launcher touches, played by the stand-in VM: java.lang.String and
// System, the java.io streams used to redirect System.out/err and to capture a stack trace,
// the runtime's LauncherHelper, throwables, and the application's main class, whose `main`
// plays the role chosen for the run (roles.h). Every other class is missing, as in a VM
// without that class.

#include <string>
#include <string_view>
#include <vector>

#include "fake_vm.h"

namespace fake_jvm {

// The class for a slash-form name, or null with a NoClassDefFoundError pending. Names in
// dot form fail as they do in a real VM. `viaBootLoader` limits the search to the
// runtime's own classes, as JVM_FindClassFromBootLoader does (null, nothing pending).
FakeObject* LoadClass(FakeEnv& env, std::string_view name, bool viaBootLoader);

FakeObject* ClassOf(const FakeObject& object);

// The method, or null with NoSuchMethodError pending (or, for `main` under the no-main
// role, null with nothing pending).
FakeMethod* FindMethod(FakeEnv& env, const FakeObject& classObject, std::string_view name,
                       std::string_view signature, bool isStatic);

// Runs a method on an instance (or, for a static method, its class) with its arguments.
jvalue Invoke(FakeEnv& env, const FakeMethod& method, FakeObject* target,
              const std::vector<jvalue>& arguments, const char* function);

// NewObject: a new instance of the class, initialised by the constructor.
FakeObject* Construct(FakeEnv& env, const FakeObject& classObject, const FakeMethod& constructor,
                      const std::vector<jvalue>& arguments, const char* function);

// What Throwable.printStackTrace writes, with the VM's "\r\n" line separator.
std::u16string StackTraceText(const FakeObject& throwable);

// Writes to a PrintStream (recorded as a "print" event as well, since a GUI program's
// standard handles often lead nowhere).
void PrintText(FakeObject* printStream, std::u16string_view text);

// The initial System.out and System.err: the process's standard handles.
void CreateConsoleStreams();

// A Java thread that ends with an exception pending has it reported by the VM's default
// handler, as the VM does when a thread detaches.
void ReportUncaughtException(FakeEnv& env);

} // namespace fake_jvm
