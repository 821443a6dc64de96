// The stand-in splash library of a Java runtime (bin\splashscreen.dll) for the Windows cases:
// it shows nothing and logs each call, with its arguments, to the file JVM_LOG names, the
// stand-in VM's log, so that the order of both shows. Variant NO_JAR_NAME lacks
// SplashSetFileJarName, which a launcher needs to use the library.

#include "base/windows_api.h"

#include <cstdio>
#include <string>

namespace {

void Log(const std::string& line) {
  wchar_t path[32768] = {};
  GetEnvironmentVariableW(L"JVM_LOG", path, 32768);
  if (FILE* file = _wfopen(path, L"ab")) {
    std::fprintf(file, "splash %s\n", line.c_str());
    std::fclose(file);
  }
}

} // namespace

extern "C" __declspec(dllexport) void SplashInit() {
  Log("init");
}

extern "C" __declspec(dllexport) int SplashLoadFile(const char* image) {
  Log(std::string("load ") + image);
  return 1;
}

#ifndef NO_JAR_NAME
extern "C" __declspec(dllexport) void SplashSetFileJarName(const char* image, const char* jar) {
  Log(std::string("names ") + image + " [" + jar + "]");
}
#endif

extern "C" __declspec(dllexport) void SplashClose() {
  Log("close");
}
