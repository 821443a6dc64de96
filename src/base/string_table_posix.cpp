#include "base/string_table.h"

namespace launcher {

std::wstring LoadResourceString(int id) {
  switch (id) {
#define LAUNCHER_MESSAGE(number, text)                                                             \
  case number:                                                                                     \
    return text;
#include "base/messages.def"
#include "base/messages_posix.def"
#undef LAUNCHER_MESSAGE
  default:
    return std::wstring();
  }
}

} // namespace launcher
