#pragma once

// The local time and the formatting of pictures for the user.
// Windows: GetLocalTime, and GetTimeFormatW / GetDateFormatW for the user's default locale
// (flags 0), sized to their result so that no picture is cut, and handed a long picture a
// piece at a time (picture_pieces.h).
// Linux: clock_gettime with localtime_r, and the project's own formatter with US English
// names (FormatTimePicture, FormatDatePicture).

#include <string>
#include <string_view>

#include "jvm/hosting/date_time_picture.h"

namespace launcher {

LocalTime ReadLocalTime();

std::wstring FormatTimeForUser(std::wstring_view picture, const LocalTime& time);
std::wstring FormatDateForUser(std::wstring_view picture, const LocalTime& time);

// Rewrites a stream file name in place: ExpandDateTimePicture with the user's formatting.
void ExpandDateTimePattern(std::wstring& fileName, const LocalTime& localTime);

} // namespace launcher
