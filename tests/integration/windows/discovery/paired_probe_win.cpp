// The paired program of the runtime-search cases. It records the command line it was started
// with in paired-report.txt beside itself (UTF-8) and ends with the exit code written in
// paired-exit-code.txt beside itself (0 when there is none).

#include <cstdio>
#include <string>

#include "base/windows_api.h"

namespace {

std::wstring OwnFolder() {
  wchar_t path[32768];
  const DWORD length = GetModuleFileNameW(nullptr, path, 32768);
  std::wstring folder(path, length);
  return folder.substr(0, folder.rfind(L'\\') + 1);
}

std::string Utf8(const wchar_t* text) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string result(bytes > 0 ? bytes - 1 : 0, '\0');
  if (bytes > 1) {
    WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), bytes, nullptr, nullptr);
  }
  return result;
}

} // namespace

int wmain() {
  const std::wstring folder = OwnFolder();
  const std::string commandLine = Utf8(GetCommandLineW());
  if (FILE* report = _wfopen((folder + L"paired-report.txt").c_str(), L"wb")) {
    fwrite(commandLine.data(), 1, commandLine.size(), report);
    fclose(report);
  }
  int exitCode = 0;
  if (FILE* code = _wfopen((folder + L"paired-exit-code.txt").c_str(), L"rb")) {
    if (fscanf(code, "%d", &exitCode) != 1) {
      exitCode = 0;
    }
    fclose(code);
  }
  return exitCode;
}
