#include "jvm/hosting/local_time.h"

#include <ctime>

namespace launcher {

LocalTime ReadLocalTime() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm parts{};
  localtime_r(&now.tv_sec, &parts);
  LocalTime time;
  time.year = parts.tm_year + 1900;
  time.month = parts.tm_mon + 1;
  time.dayOfWeek = parts.tm_wday;
  time.day = parts.tm_mday;
  time.hour = parts.tm_hour;
  time.minute = parts.tm_min;
  // A leap second reads as the last second of its minute, as Windows has none.
  time.second = parts.tm_sec > 59 ? 59 : parts.tm_sec;
  time.milliseconds = static_cast<int>(now.tv_nsec / 1000000);
  return time;
}

std::wstring FormatTimeForUser(std::wstring_view picture, const LocalTime& time) {
  return FormatTimePicture(picture, time);
}

std::wstring FormatDateForUser(std::wstring_view picture, const LocalTime& time) {
  return FormatDatePicture(picture, time);
}

} // namespace launcher
