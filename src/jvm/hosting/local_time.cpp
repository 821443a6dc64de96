#include "jvm/hosting/local_time.h"

namespace launcher {

void ExpandDateTimePattern(std::wstring& fileName, const LocalTime& localTime) {
  fileName = ExpandDateTimePicture(fileName, localTime, FormatTimeForUser, FormatDateForUser);
}

} // namespace launcher
