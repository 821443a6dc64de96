#pragma once

// Text into and out of the VM. Into Java, text goes unit for unit as UTF-16 through
// java.lang.String(char[]), so no character set stands in between; out of Java it comes as
// the VM's modified UTF-8.

#include <string>
#include <vector>

#include <jni.h>

namespace launcher {

// A new local reference to a java.lang.String with the text's UTF-16 units; null when a
// Java exception is pending on entry or any step fails.
jstring ToJavaString(JNIEnv* env, const std::wstring& text);

// A new local reference to a String[] with one element per text, in order; null when any
// element cannot be made.
jobjectArray ToJavaStringArray(JNIEnv* env, const std::vector<std::wstring>& texts);

// The characters of a Java string, decoded from modified UTF-8; empty when they cannot be
// read.
std::wstring FromJavaString(JNIEnv* env, jstring text);

// Prints the pending Java exception on the Java error stream and clears it; nothing when
// none is pending.
void DescribePendingException(JNIEnv* env);

} // namespace launcher
