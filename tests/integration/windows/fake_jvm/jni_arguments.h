#pragma once

// The arguments of a JNI Call...Method or NewObject call, read the way a VM reads them: by
// the parameter types of the method's signature, from a C variable argument list or from a
// jvalue array.

#include <jni.h>

#include <cstdarg>
#include <string>
#include <string_view>
#include <vector>

namespace fake_jvm {

// The parameter type letters of a method signature, one per parameter: Z B C S I J F D, and
// L for any reference (objects and arrays). Empty for a malformed signature.
std::string ParameterTypes(std::string_view signature);

std::vector<jvalue> ArgumentsFromList(std::string_view signature, va_list list);
std::vector<jvalue> ArgumentsFromArray(std::string_view signature, const jvalue* values);

} // namespace fake_jvm
