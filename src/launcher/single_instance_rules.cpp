#include "launcher/single_instance_rules.h"

#include "base/text.h"
#include "launcher/handover_area.h"

namespace launcher {

bool IsSingleInstanceWanted(bool isService, const std::wstring& singleInstanceSetting) {
  return !isService && singleInstanceSetting == L"yes";
}

std::wstring InstanceName(const std::wstring& modulePath) {
  return ReplaceAll(modulePath, L'\\', L'_');
}

std::wstring InstanceEventName(const std::wstring& instanceName) {
  return instanceName + L"_upr_evt";
}

std::wstring HandoverMutexName(const std::wstring& instanceName) {
  return instanceName + L"_upr_mtx";
}

std::wstring AreaCopiedEventName(const std::wstring& instanceName) {
  return instanceName + L"_upr_cpy";
}

std::string InstanceDigest(const std::wstring& instanceName) {
  uint64_t hash = 0xcbf29ce484222325ULL;
  for (unsigned char byte : ToUtf8(instanceName)) {
    hash = (hash ^ byte) * 0x100000001b3ULL;
  }
  static const char kDigits[] = "0123456789abcdef";
  std::string digest(16, '0');
  for (size_t i = 0; i < 16; ++i) {
    digest[15 - i] = kDigits[(hash >> (4 * i)) & 0xF];
  }
  return digest;
}

int32_t ReplyCode(uint64_t word) {
  return static_cast<int32_t>(static_cast<uint32_t>(word));
}

ReplyMessage EncodeReply(ReplyKind kind, int32_t code) {
  ReplyMessage message{static_cast<uint8_t>(kind)};
  StoreField(message.data(), 1, static_cast<uint32_t>(code));
  return message;
}

std::optional<int32_t> DecodeReply(const uint8_t* bytes, size_t size) {
  if (size != kReplyMessageSize || (bytes[0] != static_cast<uint8_t>(ReplyKind::kReply) &&
                                    bytes[0] != static_cast<uint8_t>(ReplyKind::kPrimaryEnded))) {
    return std::nullopt;
  }
  return static_cast<int32_t>(LoadField(bytes, 1));
}

} // namespace launcher
