// Reads arbitrary bytes as an INI file, then writes a value into it and checks the promises
// of a write: the value reads back, and a value set again in place leaves the file as long as
// before plus the difference of the two values.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/ini_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace launcher;
  IniDocument document(std::string(reinterpret_cast<const char*>(data), size));
  document.Get(L"Java Runtime Environment", L"Main Class");
  document.Get(L"Application", L"Cmd");

  if (!document.Set(L"Java Runtime Environment", L"JRE Path", L"C:\\Java\\jre\u00e4\\")) {
    std::abort();
  }
  if (document.Get(L"java runtime environment", L"jre path") != L"C:\\Java\\jre\u00e4\\") {
    std::abort();
  }
  const size_t before = document.bytes().size();
  if (!document.Set(L"Java Runtime Environment", L"JRE Path", L"x")) {
    std::abort();
  }
  if (document.Get(L"Java Runtime Environment", L"JRE Path") != L"x" ||
      document.bytes().size() >= before) {
    std::abort();
  }
  // Reading the written bytes afresh gives the same answer.
  if (IniDocument(document.bytes()).Get(L"Java Runtime Environment", L"JRE Path") != L"x") {
    std::abort();
  }
  return 0;
}
