#include "jvm/hosting/date_time_picture.h"

#include <gtest/gtest.h>

#include "base/windows_api.h"

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

std::wstring WindowsTime(const std::wstring& picture, const LocalTime& time) {
  const SYSTEMTIME st = ToSystemTime(time);
  wchar_t buffer[512] = {};
  return GetTimeFormatEx(L"en-US", 0, &st, picture.c_str(), buffer, 512) > 0 ? buffer : L"<failed>";
}

std::wstring WindowsDate(const std::wstring& picture, const LocalTime& time) {
  const SYSTEMTIME st = ToSystemTime(time);
  wchar_t buffer[512] = {};
  return GetDateFormatEx(L"en-US", 0, &st, picture.c_str(), buffer, 512, nullptr) > 0 ? buffer
                                                                                      : L"<failed>";
}

const LocalTime kMoments[] = {
    {2026, 12, 5, 4, 14, 5, 9, 7},    // Friday afternoon
    {2006, 3, 0, 5, 0, 0, 0, 0},      // Sunday midnight
    {2000, 1, 6, 1, 12, 30, 59, 999}, // Saturday noon
    {2019, 7, 2, 9, 9, 8, 7, 0},      // Tuesday morning
};

TEST(DateTimePictureOnWindows, TimePassMatchesGetTimeFormat) {
  const wchar_t* const pictures[] = {
      L"h",     L"hh",         L"hhh", L"H",    L"HH",  L"m",          L"mm",
      L"s",     L"ss",         L"t",   L"tt",   L"ttt", L"HH-mm-ss",   L"h:mm tt",
      L"'h' h", L"'it''s' hh", L"''",  L"''''", L"x'y", L"yyyy-MM-dd", L"a b.c_d",
  };
  for (const LocalTime& time : kMoments) {
    for (const wchar_t* picture : pictures) {
      EXPECT_EQ(FormatTimePicture(picture, time), WindowsTime(picture, time))
          << picture << " at " << time.hour;
    }
  }
}

TEST(DateTimePictureOnWindows, DatePassMatchesGetDateFormat) {
  const wchar_t* const pictures[] = {
      L"d",
      L"dd",
      L"ddd",
      L"dddd",
      L"M",
      L"MM",
      L"MMM",
      L"MMMM",
      L"y",
      L"yy",
      L"yyy",
      L"yyyy",
      L"yyyyy",
      L"ddddd",
      L"MMMMM",
      L"yyyy-MM-dd",
      L"dddd, MMMM d, yyyy",
      L"'dd' dd",
      L"'it''s' d",
      L"PM MM",
      L"HH:mm",
  };
  for (const LocalTime& time : kMoments) {
    for (const wchar_t* picture : pictures) {
      EXPECT_EQ(FormatDatePicture(picture, time), WindowsDate(picture, time))
          << picture << " in " << time.year;
    }
  }
}

} // namespace
} // namespace launcher
