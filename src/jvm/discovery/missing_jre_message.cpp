#include "jvm/discovery/missing_jre_message.h"

#include "base/message_ids.h"
#include "base/string_table.h"
#include "base/text_format.h"
#include "settings/launcher_settings.h"

namespace launcher {

std::wstring ComposeMissingJreMessage(int32_t jvmType, const JavaVersion& minimum,
                                      const JavaVersion& maximum) {
  const int id = jvmType == kJvmTypeServer ? kMsgJreNotFoundServer : kMsgJreNotFound;
  return FormatText(LoadResourceString(id), {RequirementText(minimum, maximum)});
}

} // namespace launcher
