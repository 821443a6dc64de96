#include "jvm/discovery/runtime_registry.h"

namespace launcher {

const wchar_t* const kJavaSoftJdkKey = L"Software\\JavaSoft\\Java Development Kit\\";
const wchar_t* const kJavaSoftJreKey = L"Software\\JavaSoft\\Java Runtime Environment\\";
const wchar_t* const kJrockitJreKey = L"Software\\JRockit\\Java Runtime Environment\\";
const wchar_t* const kJrockitJdkKey = L"Software\\JRockit\\Java Development Kit\\";
const wchar_t* const kIbmJreKey = L"Software\\IBM\\Java2 Runtime Environment\\";

} // namespace launcher
