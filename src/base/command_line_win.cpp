#include "base/command_line.h"

#include "base/windows_api.h"

namespace launcher {

void ParseCommandLine(std::vector<std::wstring>& arguments) {
  const wchar_t* commandLine = GetCommandLineW();
  arguments = ArgumentsFromCommandLine(commandLine != nullptr ? commandLine : L"");
}

} // namespace launcher
