#include "java_library.h"
#include "log_record.h"
#include "modified_utf8.h"

namespace fake_jvm {
namespace {

constexpr std::string_view kLibraryClasses[] = {
    "java/lang/Object",
    "java/lang/String",
    "java/lang/System",
    "java/lang/Class",
    "java/io/OutputStream",
    "java/io/FileOutputStream",
    "java/io/PrintStream",
    "java/io/ByteArrayOutputStream",
    "sun/launcher/LauncherHelper",
};

constexpr std::string_view kThrowableClasses[] = {
    "java/lang/Throwable",
    "java/lang/Error",
    "java/lang/InternalError",
    "java/lang/IllegalStateException",
    "java/lang/NoClassDefFoundError",
    "java/lang/NoSuchMethodError",
    "java/lang/NullPointerException",
    "java/lang/ArrayIndexOutOfBoundsException",
    "java/lang/ArrayStoreException",
    "java/lang/NegativeArraySizeException",
    "java/lang/ClassNotFoundException",
    "java/io/FileNotFoundException",
    "java/io/UnsupportedEncodingException",
};

struct MethodEntry {
  std::string_view className; // "" for any throwable, "*" for an application class
  std::string_view name;
  std::string_view signature;
  bool isStatic;
  MethodKind kind;
};

constexpr MethodEntry kMethods[] = {
    {"java/lang/String", "<init>", "([C)V", false, MethodKind::kStringInit},
    {"java/lang/System", "exit", "(I)V", true, MethodKind::kSystemExit},
    {"java/lang/System", "setOut", "(Ljava/io/PrintStream;)V", true, MethodKind::kSystemSetOut},
    {"java/lang/System", "setErr", "(Ljava/io/PrintStream;)V", true, MethodKind::kSystemSetErr},
    {"java/io/FileOutputStream", "<init>", "(Ljava/lang/String;Z)V", false,
     MethodKind::kFileStreamInit},
    {"java/io/PrintStream", "<init>", "(Ljava/io/OutputStream;)V", false,
     MethodKind::kPrintStreamInit},
    {"java/io/PrintStream", "<init>", "(Ljava/io/OutputStream;ZLjava/lang/String;)V", false,
     MethodKind::kPrintStreamInit},
    {"java/io/ByteArrayOutputStream", "<init>", "()V", false, MethodKind::kByteStreamInit},
    {"java/io/ByteArrayOutputStream", "toString", "()Ljava/lang/String;", false,
     MethodKind::kByteStreamToString},
    {"java/io/ByteArrayOutputStream", "toString", "(Ljava/lang/String;)Ljava/lang/String;", false,
     MethodKind::kByteStreamToString},
    {"sun/launcher/LauncherHelper", "checkAndLoadMain", "(ZILjava/lang/String;)Ljava/lang/Class;",
     true, MethodKind::kCheckAndLoadMain},
    {"", "printStackTrace", "(Ljava/io/PrintStream;)V", false, MethodKind::kPrintStackTrace},
    {"", "toString", "()Ljava/lang/String;", false, MethodKind::kThrowableToString},
    {"*", "main", "([Ljava/lang/String;)V", true, MethodKind::kMain},
};

bool Contains(const std::string_view* begin, const std::string_view* end, std::string_view name) {
  for (const std::string_view* entry = begin; entry != end; ++entry) {
    if (*entry == name) {
      return true;
    }
  }
  return false;
}

bool IsLibraryClass(std::string_view name) {
  return Contains(std::begin(kLibraryClasses), std::end(kLibraryClasses), name);
}

bool IsThrowableClass(std::string_view name) {
  return Contains(std::begin(kThrowableClasses), std::end(kThrowableClasses), name);
}

// Classes of the runtime's own packages that this VM lacks are missing; any other name is
// taken as a class of the application.
bool IsRuntimePackage(std::string_view name) {
  for (std::string_view prefix : {"java/", "javax/", "sun/", "jdk/"}) {
    if (name.substr(0, prefix.size()) == prefix) {
      return true;
    }
  }
  return false;
}

bool IsApplicationClass(std::string_view name) {
  return !name.empty() && !IsRuntimePackage(name) && name.find('.') == std::string_view::npos &&
         name.find(';') == std::string_view::npos && name.front() != '/' && name.back() != '/' &&
         name.front() != '[';
}

FakeObject* NewClass(std::string_view name) {
  FakeObject* classObject = NewObject(ObjectKind::kClass, "java/lang/Class");
  classObject->namedClass = std::string(name);
  return classObject;
}

bool EntryMatches(const MethodEntry& entry, std::string_view className) {
  if (entry.className.empty()) {
    return IsThrowableClass(className);
  }
  if (entry.className == "*") {
    return IsApplicationClass(className);
  }
  return entry.className == className;
}

} // namespace

FakeObject* LoadClass(FakeEnv& env, std::string_view name, bool viaBootLoader) {
  const Roles& roles = Vm().roles;
  bool found = IsLibraryClass(name) || IsThrowableClass(name);
  if (!viaBootLoader && !found) {
    found = IsApplicationClass(name) && !roles.missingClass;
  }
  if (viaBootLoader && name == "sun/launcher/LauncherHelper" && roles.noHelper) {
    found = false;
  }
  if (found) {
    return NewClass(name);
  }
  if (!viaBootLoader) {
    Throw(env, "java/lang/NoClassDefFoundError", DecodeModifiedUtf8(name));
  }
  return nullptr;
}

FakeObject* ClassOf(const FakeObject& object) {
  return NewClass(object.className);
}

FakeMethod* FindMethod(FakeEnv& env, const FakeObject& classObject, std::string_view name,
                       std::string_view signature, bool isStatic) {
  const std::string& className = classObject.namedClass;
  const Roles& roles = Vm().roles;
  for (const MethodEntry& entry : kMethods) {
    if (!EntryMatches(entry, className) || entry.name != name || entry.signature != signature ||
        entry.isStatic != isStatic) {
      continue;
    }
    if (entry.kind == MethodKind::kMain && (roles.noMain || roles.noMainPending)) {
      break;
    }
    return NewMethod(entry.kind, className, std::string(name), std::string(signature), isStatic);
  }
  if (name == "main" && roles.noMain && !roles.noMainPending) {
    return nullptr; // a VM that reports a missing method without raising an error
  }
  Throw(env, "java/lang/NoSuchMethodError", DecodeModifiedUtf8(name));
  return nullptr;
}

} // namespace fake_jvm
