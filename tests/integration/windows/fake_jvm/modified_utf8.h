#pragma once

// The text forms a Java VM speaks at its JNI boundary: class names and GetStringUTFChars use
// "modified UTF-8" (U+0000 as two bytes, each surrogate of a pair encoded on its own in three
// bytes), while Java strings hold UTF-16 units. The stand-in VM keeps text as UTF-16 and
// converts at the boundary exactly as a real VM does, so a host that mistakes the form for
// standard UTF-8 shows up in the tests.

#include <string>
#include <string_view>

namespace fake_jvm {

std::string EncodeModifiedUtf8(std::u16string_view text);

// Malformed input becomes U+FFFD per offending byte instead of being dropped.
std::u16string DecodeModifiedUtf8(std::string_view bytes);

// Standard UTF-8 of the stream bytes that PrintStream writes, both ways; lone surrogates are
// written as U+FFFD, as Java's encoder does.
std::string EncodeUtf8(std::u16string_view text);
std::u16string DecodeUtf8(std::string_view bytes);

std::u16string FromAscii(std::string_view text);

} // namespace fake_jvm
