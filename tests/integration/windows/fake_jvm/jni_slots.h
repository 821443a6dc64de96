#pragma once

// The parts of the JNI function table, each filled by the file that implements them. Slots
// nobody fills point to stubs that record the unexpected call and end the process.

#include <jni.h>

namespace fake_jvm {

void FillUnexpectedSlots(JNINativeInterface_& table);
void FillClassSlots(JNINativeInterface_& table);  // classes, methods, calls, NewObject
void FillObjectSlots(JNINativeInterface_& table); // references, exceptions, version
void FillTextSlots(JNINativeInterface_& table);   // strings and arrays

} // namespace fake_jvm
