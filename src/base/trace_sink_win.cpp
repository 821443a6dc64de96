#include <optional>

#include "base/console_text_win.h"
#include "base/module_path.h"
#include "base/trace_sink.h"

namespace launcher {
namespace {

// Never closed: the trace runs until the process ends.
HANDLE sink = INVALID_HANDLE_VALUE;

HANDLE OpenForAppending(const std::wstring& path) {
  return CreateFileW(path.c_str(), FILE_APPEND_DATA,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool IsUsable(HANDLE handle) {
  return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

// "<executable name>.trace.log" in the user's temporary folder.
std::wstring TemporaryTraceFile() {
  int error = 0;
  const std::optional<std::wstring> module = ReadModulePath(error);
  wchar_t folder[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (!module || length == 0 || length > MAX_PATH) {
    return std::wstring();
  }
  std::wstring name = module->substr(module->find_last_of(L"\\/") + 1);
  const size_t dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos && dot > 0) {
    name.erase(dot);
  }
  return std::wstring(folder, length) + name + L".trace.log";
}

HANDLE OpenDefaultSink() {
  HANDLE standardError = GetStdHandle(STD_ERROR_HANDLE);
  if (IsUsable(standardError)) {
    return standardError;
  }
  if (AttachConsole(ATTACH_PARENT_PROCESS)) {
    HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    if (IsUsable(console)) {
      return console;
    }
  }
  const std::wstring file = TemporaryTraceFile();
  return file.empty() ? INVALID_HANDLE_VALUE : OpenForAppending(file);
}

} // namespace

bool OpenTraceSink(const std::wstring& value) {
  sink = value == L"1" ? OpenDefaultSink() : OpenForAppending(value);
  return IsUsable(sink);
}

void WriteTraceSink(const std::wstring& line) {
  WriteTextToHandle(sink, line);
}

} // namespace launcher
