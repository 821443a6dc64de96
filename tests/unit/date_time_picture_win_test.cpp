#include "jvm/hosting/date_time_picture.h"

#include <vector>

#include <gtest/gtest.h>

#include "base/windows_api.h"
#include "jvm/hosting/picture_pieces.h"

// The project's formatter stands in for GetTimeFormatW and GetDateFormatW where Windows is
// not there; here both run side by side for the en-US locale and must agree. The era (g, gg)
// is left out: Windows names the Gregorian era "A.D." for en-US, which the formatter writes,
// while Wine writes "AD" for each letter.
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

std::wstring WindowsTime(std::wstring_view picture, const LocalTime& time) {
  const SYSTEMTIME st = ToSystemTime(time);
  const std::wstring format(picture);
  wchar_t buffer[512] = {};
  return GetTimeFormatEx(L"en-US", 0, &st, format.c_str(), buffer, 512) > 0 ? buffer : L"<failed>";
}

std::wstring WindowsDate(std::wstring_view picture, const LocalTime& time) {
  const SYSTEMTIME st = ToSystemTime(time);
  const std::wstring format(picture);
  wchar_t buffer[512] = {};
  return GetDateFormatEx(L"en-US", 0, &st, format.c_str(), buffer, 512, nullptr) > 0 ? buffer
                                                                                     : L"<failed>";
}

const LocalTime kMoments[] = {
    {2026, 12, 5, 4, 14, 5, 9, 7},    // Friday afternoon
    {2006, 3, 0, 5, 0, 0, 0, 0},      // Sunday midnight
    {2000, 1, 6, 1, 12, 30, 59, 999}, // Saturday noon
    {2019, 7, 2, 9, 9, 8, 7, 0},      // Tuesday morning
};

// Each picture list is one text with the pictures between "|".
std::vector<std::wstring> Pictures(const std::wstring& list) {
  std::vector<std::wstring> pictures;
  for (size_t start = 0, end = 0; end != std::wstring::npos; start = end + 1) {
    end = list.find(L'|', start);
    pictures.push_back(list.substr(start, end - start));
  }
  return pictures;
}

// Windows gets each picture as the launcher hands it over: a long one, which whole would
// overrun a buffer inside Wine's functions, in pieces.
TEST(DateTimePictureOnWindows, EachPassMatchesWindows) {
  std::wstring longPicture;
  while (longPicture.size() < 1000) {
    longPicture += L"dddd, MMMM d, yyyy 'at' h:mm:ss tt; 'quoted ''text'''; ";
  }
  const std::wstring timePictures = L"h|hh|hhh|H|HH|m|mm|s|ss|t|tt|ttt|HH-mm-ss|h:mm tt|'h' h|"
                                    L"'it''s' hh|''|''''|x'y|yyyy-MM-dd|a b.c_d|" +
                                    longPicture;
  const std::wstring datePictures =
      L"d|dd|ddd|dddd|M|MM|MMM|MMMM|y|yy|yyy|yyyy|yyyyy|ddddd|MMMMM|"
      L"yyyy-MM-dd|dddd, MMMM d, yyyy|'dd' dd|'it''s' d|PM MM|HH:mm|" +
      longPicture;
  for (const LocalTime& time : kMoments) {
    for (const std::wstring& picture : Pictures(timePictures)) {
      EXPECT_EQ(FormatTimePicture(picture, time),
                FormatPictureInPieces(picture, kTimePictureLetters, time, WindowsTime))
          << picture << " at " << time.hour;
    }
    for (const std::wstring& picture : Pictures(datePictures)) {
      EXPECT_EQ(FormatDatePicture(picture, time),
                FormatPictureInPieces(picture, kDatePictureLetters, time, WindowsDate))
          << picture << " in " << time.year;
    }
  }
}

} // namespace
} // namespace launcher
