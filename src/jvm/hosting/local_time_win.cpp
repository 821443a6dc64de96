#include "jvm/hosting/local_time.h"

#include <vector>

#include "base/windows_api.h"
#include "jvm/hosting/picture_pieces.h"

namespace launcher {
namespace {

SYSTEMTIME ToSystemTime(const LocalTime& time) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(time.year);
  st.wMonth = static_cast<WORD>(time.month);
  st.wDayOfWeek = static_cast<WORD>(time.dayOfWeek);
  st.wDay = static_cast<WORD>(time.day);
  st.wHour = static_cast<WORD>(time.hour);
  st.wMinute = static_cast<WORD>(time.minute);
  st.wSecond = static_cast<WORD>(time.second);
  st.wMilliseconds = static_cast<WORD>(time.milliseconds);
  return st;
}

// Formats with one of the two Windows functions, asking first for the size of the result.
// An empty picture stays empty (an empty format would otherwise mean nothing in particular),
// and a picture the function refuses is left as it was.
template <typename FormatFunction>
std::wstring FormatWith(FormatFunction format, std::wstring_view picture, const LocalTime& time) {
  if (picture.empty()) {
    return std::wstring();
  }
  const std::wstring pictureText(picture);
  const SYSTEMTIME st = ToSystemTime(time);
  const int size = format(LOCALE_USER_DEFAULT, 0, &st, pictureText.c_str(), nullptr, 0);
  if (size <= 0) {
    return pictureText;
  }
  std::vector<wchar_t> buffer(static_cast<size_t>(size));
  const int written = format(LOCALE_USER_DEFAULT, 0, &st, pictureText.c_str(), buffer.data(), size);
  if (written <= 0) {
    return pictureText;
  }
  return std::wstring(buffer.data(), static_cast<size_t>(written - 1));
}

} // namespace

LocalTime ReadLocalTime() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  LocalTime time;
  time.year = st.wYear;
  time.month = st.wMonth;
  time.dayOfWeek = st.wDayOfWeek;
  time.day = st.wDay;
  time.hour = st.wHour;
  time.minute = st.wMinute;
  time.second = st.wSecond;
  time.milliseconds = st.wMilliseconds;
  return time;
}

std::wstring FormatTimeForUser(std::wstring_view picture, const LocalTime& time) {
  return FormatPictureInPieces(picture, kTimePictureLetters, time,
                               [](std::wstring_view piece, const LocalTime& moment) {
                                 return FormatWith(GetTimeFormatW, piece, moment);
                               });
}

std::wstring FormatDateForUser(std::wstring_view picture, const LocalTime& time) {
  return FormatPictureInPieces(picture, kDatePictureLetters, time,
                               [](std::wstring_view piece, const LocalTime& moment) {
                                 return FormatWith(GetDateFormatW, piece, moment);
                               });
}

} // namespace launcher
