#pragma once

// What the primary does with one hand-over once its application's main has been entered: it
// calls the main class's static secondaryMain with the forwarded arguments, on the thread
// that received the hand-over, and replies to the second start. Only JNI is used here; how
// the hand-over arrived and how the reply travels is the platform's (single_instance.h).

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <jni.h>

namespace launcher {

struct HandoverTarget {
  JavaVM* javaVm = nullptr;
  // The main class with packages separated by "/".
  std::wstring mainClass;
  // The thread stays attached after the call, as main's thread does on IBM's runtime.
  bool stayAttached = false;
};

// Attaches the calling thread, finds the main class and its static secondaryMain (the form
// returning nothing first, then the one returning int), calls it with `arguments` and
// detaches. The void form is answered with 0 before the call, the int form with its result
// after it. Returns 0 on success; 1 when the VM, the class, the method or the argument array
// is missing (then nothing is replied) or when the call ended with an exception (which is
// printed, the reply having been sent all the same).
uint32_t ServeHandover(const HandoverTarget& target, const std::vector<std::wstring>& arguments,
                       const std::function<void(int32_t code)>& reply);

} // namespace launcher
