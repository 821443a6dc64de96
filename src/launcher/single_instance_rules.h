#pragma once

// The rules of single-instance mode that need no operating system: when the mode is on, what
// its objects are called, and what a second start's wait ends with.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace launcher {

// "Single Instance" switches the mode on only when it is exactly "yes" (case counts), and
// never for a service.
bool IsSingleInstanceWanted(bool isService, const std::wstring& singleInstanceSetting);

// The executable's path with every "\" turned into "_", nothing else changed: the name of the
// mapping and of the registered message on Windows; its digest names the lock and the socket
// on Linux. Copies in two folders have two names and never see each other.
std::wstring InstanceName(const std::wstring& modulePath);
// The event the primary sets right before main is called.
std::wstring InstanceEventName(const std::wstring& instanceName);
// The mutex a second start holds from writing the argument area until the primary has copied
// it out, and the event the primary sets when it has.
std::wstring HandoverMutexName(const std::wstring& instanceName);
std::wstring AreaCopiedEventName(const std::wstring& instanceName);

// 16 hexadecimal digits of the 64-bit FNV-1a hash of the name's UTF-8 bytes: short enough
// for a socket path, the same for the same name in every process.
std::string InstanceDigest(const std::wstring& instanceName);

// What a second start ends with.
// The primary process could not be opened to be waited on.
constexpr int32_t kPrimaryUnreachable = 0;
// The primary ended without an exit code that could be had, or died without a word.
constexpr int32_t kPrimaryLost = -1;
// A reply's word (a message parameter) read as the 32-bit signed code it carries.
int32_t ReplyCode(uint64_t word);

// The primary's word to a second start on Linux: a kind byte, then the code, little-endian.
constexpr size_t kReplyMessageSize = 5;
enum class ReplyKind : uint8_t {
  kReply = 'R',        // secondaryMain's result (0 for its void form)
  kPrimaryEnded = 'E', // the primary ended with this exit code before replying
};
using ReplyMessage = std::array<uint8_t, kReplyMessageSize>;
ReplyMessage EncodeReply(ReplyKind kind, int32_t code);
// The code a received message carries; nothing unless it is one whole message of a known kind.
std::optional<int32_t> DecodeReply(const uint8_t* bytes, size_t size);

} // namespace launcher
