#include "base/windows_api.h"

#include "java_library.h"
#include "log_record.h"
#include "modified_utf8.h"

namespace fake_jvm {
namespace {

// The message of the exception `main` throws under the "throws" role: non-ASCII on purpose,
// with a character outside the Basic Multilingual Plane.
const std::u16string kThrownMessage = u"thrown by main: \u00e9\u20ac\U0001F600";

std::u16string DotForm(std::string_view slashName) {
  std::u16string name = DecodeModifiedUtf8(slashName);
  for (char16_t& unit : name) {
    if (unit == u'/') {
      unit = u'.';
    }
  }
  return name;
}

std::u16string StreamName(const FakeObject* printStream) {
  if (printStream == nullptr || printStream->sink == nullptr) {
    return u"<none>";
  }
  return printStream->sink->kind == ObjectKind::kByteStream ? u"<bytes>" : printStream->sink->path;
}

} // namespace

void PrintText(FakeObject* printStream, std::u16string_view text) {
  if (printStream == nullptr || printStream->sink == nullptr) {
    return;
  }
  LogRecord("print").Text("stream", StreamName(printStream)).Text("text", text);
  FakeObject* sink = printStream->sink;
  const std::string bytes = EncodeUtf8(text);
  if (sink->kind == ObjectKind::kByteStream) {
    sink->bytes += bytes;
  } else if (sink->file != nullptr && sink->file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(sink->file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }
}

namespace {

FakeObject* ConsoleStream(DWORD standardHandle, std::u16string name) {
  FakeObject* console = NewObject(ObjectKind::kFileStream, "java/io/FileOutputStream");
  console->file = GetStdHandle(standardHandle);
  console->path = std::move(name);
  FakeObject* printStream = NewObject(ObjectKind::kPrintStream, "java/io/PrintStream");
  printStream->sink = console;
  return printStream;
}

// The stack reservation of the calling thread: the regions of the one allocation that holds
// the current stack, from its base up to the first region of another allocation.
long long StackReservation() {
  MEMORY_BASIC_INFORMATION info{};
  if (VirtualQuery(&info, &info, sizeof info) == 0) {
    return -1;
  }
  const char* base = static_cast<const char*>(info.AllocationBase);
  const char* cursor = base;
  for (;;) {
    MEMORY_BASIC_INFORMATION region{};
    if (VirtualQuery(cursor, &region, sizeof region) == 0 || region.AllocationBase != base) {
      break;
    }
    cursor = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
  }
  return cursor - base;
}

FakeObject* Argument(const std::vector<jvalue>& arguments, size_t index, const char* function) {
  return index < arguments.size() ? Deref(arguments[index].l, function) : nullptr;
}

bool Expect(FakeObject* object, ObjectKind kind, const FakeMethod& method, const char* function) {
  if (object != nullptr && object->kind != kind) {
    ReportMisuse(function, "passes an object of class " + object->className + " to " +
                               method.className + "." + method.name);
    return false;
  }
  return true;
}

// The charset argument of the PrintStream constructor and ByteArrayOutputStream.toString
// that take one. This VM's streams always hold UTF-8 (the default charset of current
// runtimes), so only that name is supported.
bool CheckCharset(FakeEnv& env, const std::vector<jvalue>& arguments, size_t index,
                  const char* function) {
  FakeObject* name = Argument(arguments, index, function);
  if (name == nullptr) {
    Throw(env, "java/lang/NullPointerException", u"charsetName");
    return false;
  }
  std::u16string upper = name->chars;
  for (char16_t& unit : upper) {
    if (unit >= u'a' && unit <= u'z') {
      unit = static_cast<char16_t>(unit - u'a' + u'A');
    }
  }
  if (upper != u"UTF-8" && upper != u"UTF8") {
    Throw(env, "java/io/UnsupportedEncodingException", name->chars);
    return false;
  }
  return true;
}

void OpenFileStream(FakeEnv& env, FakeObject& stream, FakeObject* path, bool append) {
  if (path == nullptr) {
    Throw(env, "java/lang/NullPointerException", u"name");
    return;
  }
  stream.path = path->chars;
  stream.append = append;
  const std::wstring name(stream.path.begin(), stream.path.end());
  stream.file = CreateFileW(name.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  const DWORD error = stream.file == INVALID_HANDLE_VALUE ? GetLastError() : 0;
  LogRecord("FileOutputStream")
      .Text("path", stream.path)
      .Flag("append", append)
      .Flag("opened", error == 0)
      .Number("error", error);
  if (error != 0) {
    stream.file = nullptr;
    Throw(env, "java/io/FileNotFoundException",
          stream.path + u" (error " + FromAscii(std::to_string(error)) + u")");
  }
}

void SetStandardStream(FakeObject*& slot, FakeObject* printStream, const char* event) {
  slot = printStream;
  const FakeObject* sink = printStream != nullptr ? printStream->sink : nullptr;
  LogRecord(event)
      .Text("path", StreamName(printStream))
      .Flag("append", sink != nullptr && sink->append);
}

void RunMain(FakeEnv& env, const FakeMethod& method, FakeObject* argumentArray,
             const char* function) {
  VmState& vm = Vm();
  std::vector<const std::u16string*> texts;
  bool isStringArray = argumentArray != nullptr &&
                       argumentArray->kind == ObjectKind::kObjectArray &&
                       argumentArray->elementClass == "java/lang/String";
  if (isStringArray) {
    for (const FakeObject* element : argumentArray->elements) {
      texts.push_back(element != nullptr ? &element->chars : nullptr);
    }
  } else {
    ReportMisuse(function, "calls main without a String[] argument");
  }
  LogRecord("main")
      .Text("class", DecodeModifiedUtf8(method.className))
      .Number("thread", GetCurrentThreadId())
      .Number("creatorThread", vm.creatorThread)
      .Number("loaderThread", vm.loaderThread)
      .Number("stackReservation", StackReservation())
      .TextList("arguments", texts);
  PrintText(vm.out, u"main of " + DotForm(method.className) + u" writes to System.out\r\n");
  PrintText(vm.err, u"main of " + DotForm(method.className) + u" writes to System.err\r\n");
  switch (vm.roles.main) {
  case MainBehaviour::kReturn:
    break;
  case MainBehaviour::kThrow:
    Throw(env, "java/lang/IllegalStateException", kThrownMessage,
          u"\tat " + DotForm(method.className) + u".main(Main.java:3)\r\n");
    break;
  case MainBehaviour::kExit:
    ExitVm(vm.roles.exitCode, "main");
  }
}

// LauncherHelper.checkAndLoadMain(printToStderr, mode, name) of a current runtime: it loads
// the class by its binary name and checks for `main`; on failure it prints its error on
// System.err (or System.out) and ends the VM with System.exit(1).
FakeObject* CheckAndLoadMain(FakeEnv& env, const std::vector<jvalue>& arguments,
                             const char* function) {
  VmState& vm = Vm();
  const bool printToStderr = !arguments.empty() && arguments[0].z != JNI_FALSE;
  const jint mode = arguments.size() > 1 ? arguments[1].i : 0;
  FakeObject* name = Argument(arguments, 2, function);
  LogRecord("checkAndLoadMain")
      .Flag("printToStderr", printToStderr)
      .Number("mode", mode)
      .Text("name", name != nullptr ? name->chars : u"<null>")
      .Number("thread", GetCurrentThreadId());
  if (name == nullptr) {
    Throw(env, "java/lang/NullPointerException", u"");
    return nullptr;
  }
  if (vm.roles.helperThrows) {
    Throw(env, "java/lang/InternalError", u"LauncherHelper failed for " + name->chars);
    return nullptr;
  }
  FakeObject* stream = printToStderr ? vm.err : vm.out;
  const std::string internalName = EncodeModifiedUtf8(name->chars);
  const bool loadable = mode == 1 && internalName.find('/') == std::string::npos &&
                        !internalName.empty() && !vm.roles.missingClass;
  if (!loadable) {
    PrintText(stream, u"Error: Could not find or load main class " + name->chars +
                          u"\r\nCaused by: java.lang.ClassNotFoundException: " + name->chars +
                          u"\r\n");
    ExitVm(1, "LauncherHelper");
  }
  if (vm.roles.noMain || vm.roles.noMainPending) {
    PrintText(stream, u"Error: Main method not found in class " + name->chars +
                          u", please define the main method as:\r\n"
                          u"   public static void main(String[] args)\r\n");
    ExitVm(1, "LauncherHelper");
  }
  std::string slashName = internalName;
  for (char& c : slashName) {
    if (c == '.') {
      c = '/';
    }
  }
  FakeObject* classObject = NewObject(ObjectKind::kClass, "java/lang/Class");
  classObject->namedClass = slashName;
  return classObject;
}

} // namespace

std::u16string StackTraceText(const FakeObject& throwable) {
  std::u16string text = DotForm(throwable.className);
  if (!throwable.message.empty()) {
    text += u": " + throwable.message;
  }
  return text + u"\r\n" + throwable.frames;
}

void CreateConsoleStreams() {
  VmState& vm = Vm();
  vm.out = ConsoleStream(STD_OUTPUT_HANDLE, u"<stdout>");
  vm.err = ConsoleStream(STD_ERROR_HANDLE, u"<stderr>");
}

void ReportUncaughtException(FakeEnv& env) {
  if (env.pending == nullptr) {
    return;
  }
  const std::u16string text = u"Exception in thread \"main\" " + StackTraceText(*env.pending);
  env.pending = nullptr;
  LogRecord("uncaught").Text("text", text);
  PrintText(Vm().err, text);
}

FakeObject* Construct(FakeEnv& env, const FakeObject& classObject, const FakeMethod& constructor,
                      const std::vector<jvalue>& arguments, const char* function) {
  if (constructor.name != "<init>" || constructor.className != classObject.namedClass) {
    ReportMisuse(function, "constructs " + classObject.namedClass + " with " +
                               constructor.className + "." + constructor.name);
    return nullptr;
  }
  FakeObject* first = Argument(arguments, 0, function);
  switch (constructor.kind) {
  case MethodKind::kStringInit: {
    if (first == nullptr) {
      Throw(env, "java/lang/NullPointerException", u"value");
      return nullptr;
    }
    if (!Expect(first, ObjectKind::kCharArray, constructor, function)) {
      return nullptr;
    }
    FakeObject* string = NewObject(ObjectKind::kString, "java/lang/String");
    string->chars = first->chars;
    return string;
  }
  case MethodKind::kFileStreamInit: {
    if (!Expect(first, ObjectKind::kString, constructor, function)) {
      return nullptr;
    }
    FakeObject* stream = NewObject(ObjectKind::kFileStream, "java/io/FileOutputStream");
    OpenFileStream(env, *stream, first, arguments.size() > 1 && arguments[1].z != JNI_FALSE);
    return env.pending == nullptr ? stream : nullptr;
  }
  case MethodKind::kPrintStreamInit: {
    if (first == nullptr) {
      Throw(env, "java/lang/NullPointerException", u"Null output stream");
      return nullptr;
    }
    if (first->kind != ObjectKind::kFileStream && first->kind != ObjectKind::kByteStream) {
      ReportMisuse(function, "wraps a " + first->className + " in a PrintStream");
      return nullptr;
    }
    if (arguments.size() == 3 && !CheckCharset(env, arguments, 2, function)) {
      return nullptr;
    }
    FakeObject* printStream = NewObject(ObjectKind::kPrintStream, "java/io/PrintStream");
    printStream->sink = first;
    return printStream;
  }
  case MethodKind::kByteStreamInit:
    return NewObject(ObjectKind::kByteStream, "java/io/ByteArrayOutputStream");
  default:
    ReportMisuse(function, "constructs with a method that is not a constructor");
    return nullptr;
  }
}

jvalue Invoke(FakeEnv& env, const FakeMethod& method, FakeObject* target,
              const std::vector<jvalue>& arguments, const char* function) {
  VmState& vm = Vm();
  jvalue result{};
  if (target == nullptr) {
    ReportMisuse(function, "calls " + method.name + " on a null object or class");
    return result;
  }
  const std::string& targetClass = method.isStatic ? target->namedClass : target->className;
  if (method.isStatic && target->kind != ObjectKind::kClass) {
    ReportMisuse(function, "calls a static method without a class");
    return result;
  }
  if (targetClass != method.className) {
    ReportMisuse(function, "calls " + method.className + "." + method.name + " on " + targetClass);
    return result;
  }
  switch (method.kind) {
  case MethodKind::kSystemExit:
    ExitVm(arguments.empty() ? 0 : arguments[0].i, "System.exit");
  case MethodKind::kSystemSetOut:
  case MethodKind::kSystemSetErr: {
    FakeObject* first = Argument(arguments, 0, function);
    if (Expect(first, ObjectKind::kPrintStream, method, function)) {
      const bool isOut = method.kind == MethodKind::kSystemSetOut;
      SetStandardStream(isOut ? vm.out : vm.err, first, isOut ? "setOut" : "setErr");
    }
    break;
  }
  case MethodKind::kByteStreamToString: {
    if (arguments.size() == 1 && !CheckCharset(env, arguments, 0, function)) {
      break;
    }
    FakeObject* string = NewObject(ObjectKind::kString, "java/lang/String");
    string->chars = DecodeUtf8(target->bytes);
    result.l = NewReference(string);
    break;
  }
  case MethodKind::kPrintStackTrace: {
    FakeObject* first = Argument(arguments, 0, function);
    if (first == nullptr) {
      Throw(env, "java/lang/NullPointerException", u"s");
    } else if (Expect(first, ObjectKind::kPrintStream, method, function)) {
      LogRecord("printStackTrace").Text("class", FromAscii(target->className));
      PrintText(first, StackTraceText(*target));
    }
    break;
  }
  case MethodKind::kThrowableToString: {
    FakeObject* string = NewObject(ObjectKind::kString, "java/lang/String");
    string->chars = StackTraceText(*target);
    string->chars.resize(string->chars.find(u"\r\n"));
    result.l = NewReference(string);
    break;
  }
  case MethodKind::kCheckAndLoadMain:
    result.l = NewReference(CheckAndLoadMain(env, arguments, function));
    break;
  case MethodKind::kMain:
    RunMain(env, method, Argument(arguments, 0, function), function);
    break;
  default:
    ReportMisuse(function, "calls the constructor " + method.className + ".<init> as a method");
    break;
  }
  return result;
}

} // namespace fake_jvm
