#pragma once

// The launcher's user-visible sentences by id (base/messages.def).
// Windows: the executable's string table resource, looked up for the thread's language.
// Linux: the same table compiled into the program, with the Linux-only entries of
// base/messages_posix.def.

#include <cstddef>
#include <cstdint>
#include <string>

namespace launcher {

// The entry's text, or an empty text when the entry does not exist.
std::wstring LoadResourceString(int id);

// Entry `index` of a string-table block: 16 entries, each a 16-bit length and that many
// UTF-16 units. Stays inside the block; an absent or zero-length entry gives an empty text.
std::u16string StringFromTableBlock(const uint16_t* block, size_t units, int index);

} // namespace launcher
