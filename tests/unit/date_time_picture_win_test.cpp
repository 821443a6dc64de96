#include "jvm/hosting/date_time_picture.h"

#include <gtest/gtest.h>

#include "base/windows_api.h"
#include "jvm/hosting/picture_pieces.h"

// The formatter stands in for GetTimeFormatW and GetDateFormatW where Windows is not there;
// here both run side by side for en-US and must agree. Windows gets each picture as the
// launcher hands it over: a long one, which whole would overrun a buffer inside Wine's
// functions, in pieces. The era is left out: Windows writes "A.D.", Wine "AD".
namespace launcher {
namespace {

std::wstring Windows(bool date, std::wstring_view picture, const LocalTime& at) {
  const SYSTEMTIME st{WORD(at.year), WORD(at.month),  WORD(at.dayOfWeek), WORD(at.day),
                      WORD(at.hour), WORD(at.minute), WORD(at.second),    0};
  const std::wstring format(picture);
  wchar_t out[512] = {};
  return (date ? GetDateFormatEx(L"en-US", 0, &st, format.c_str(), out, 512, nullptr)
               : GetTimeFormatEx(L"en-US", 0, &st, format.c_str(), out, 512)) > 0
             ? out
             : L"<failed>";
}

TEST(DateTimePictureOnWindows, EachPassMatchesWindows) {
  std::wstring longPicture;
  while (longPicture.size() < 1000) {
    longPicture += L"dddd, MMMM d, yyyy 'at' h:mm:ss tt; 'quoted ''text'''; ";
  }
  const auto time = [](std::wstring_view p, const LocalTime& at) { return Windows(false, p, at); };
  const auto date = [](std::wstring_view p, const LocalTime& at) { return Windows(true, p, at); };
  for (const LocalTime& at :
       {LocalTime{2026, 12, 5, 4, 14, 5, 9, 7}, LocalTime{2006, 3, 0, 5},
        LocalTime{2000, 1, 6, 1, 12, 30, 59}, LocalTime{2019, 7, 2, 9, 9, 8}}) {
    // Each picture between "|" is also a picture of its own.
    for (const std::wstring& picture :
         {std::wstring(
              L"h|hh|hhh|H|HH|m|mm|s|ss|t|tt|ttt|HH-mm-ss|'h' h|'it''s' hh|''|''''|yyyy-MM-dd|x'y"),
          longPicture}) {
      EXPECT_EQ(FormatTimePicture(picture, at),
                FormatPictureInPieces(picture, kTimePictureLetters, at, time))
          << picture << " at " << at.hour;
    }
    for (const std::wstring& picture :
         {std::wstring(
              L"d|dd|ddd|dddd|M|MM|MMM|MMMM|y|yy|yyy|yyyy|yyyyy|ddddd|MMMMM|dddd, MMMM d, yyyy|"
              L"'dd' dd|'it''s' d|PM MM|HH:mm"),
          longPicture}) {
      EXPECT_EQ(FormatDatePicture(picture, at),
                FormatPictureInPieces(picture, kDatePictureLetters, at, date))
          << picture << " in " << at.year;
    }
  }
}

} // namespace
} // namespace launcher
