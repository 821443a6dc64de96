#include "jni_arguments.h"

namespace fake_jvm {

std::string ParameterTypes(std::string_view signature) {
  std::string types;
  if (signature.empty() || signature[0] != '(') {
    return {};
  }
  size_t index = 1;
  while (index < signature.size() && signature[index] != ')') {
    size_t start = index;
    while (index < signature.size() && signature[index] == '[') {
      ++index;
    }
    if (index >= signature.size()) {
      return {};
    }
    char type = signature[index];
    if (type == 'L') {
      index = signature.find(';', index);
      if (index == std::string_view::npos) {
        return {};
      }
    } else if (std::string_view("ZBCSIJFD").find(type) == std::string_view::npos) {
      return {};
    }
    ++index;
    types += (index - start > 1) ? 'L' : type;
  }
  return types;
}

std::vector<jvalue> ArgumentsFromList(std::string_view signature, va_list list) {
  std::vector<jvalue> values;
  for (char type : ParameterTypes(signature)) {
    jvalue value{};
    // C promotes the small integer types to int and float to double in a variable list.
    switch (type) {
    case 'Z':
      value.z = static_cast<jboolean>(va_arg(list, int));
      break;
    case 'B':
      value.b = static_cast<jbyte>(va_arg(list, int));
      break;
    case 'C':
      value.c = static_cast<jchar>(va_arg(list, int));
      break;
    case 'S':
      value.s = static_cast<jshort>(va_arg(list, int));
      break;
    case 'I':
      value.i = va_arg(list, jint);
      break;
    case 'J':
      value.j = va_arg(list, jlong);
      break;
    case 'F':
      value.f = static_cast<jfloat>(va_arg(list, double));
      break;
    case 'D':
      value.d = va_arg(list, double);
      break;
    default:
      value.l = va_arg(list, jobject);
      break;
    }
    values.push_back(value);
  }
  return values;
}

std::vector<jvalue> ArgumentsFromArray(std::string_view signature, const jvalue* values) {
  const size_t count = ParameterTypes(signature).size();
  if (values == nullptr) {
    return std::vector<jvalue>(count, jvalue{});
  }
  return std::vector<jvalue>(values, values + count);
}

} // namespace fake_jvm
