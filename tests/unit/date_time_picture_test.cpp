#include "jvm/hosting/date_time_picture.h"

#include <gtest/gtest.h>

#include "jvm/hosting/picture_pieces.h"

namespace launcher {
namespace {

// Friday, 4 December 2026, 14:05:09.007.
LocalTime Afternoon() {
  return LocalTime{2026, 12, 5, 4, 14, 5, 9, 7};
}

LocalTime At(int hour, int minute = 0) {
  LocalTime time = Afternoon();
  time.hour = hour;
  time.minute = minute;
  return time;
}

struct PictureCase {
  const wchar_t* picture;
  const wchar_t* expected;
};

TEST(TimePicture, FormatsEveryTimeLetter) {
  const PictureCase cases[] = {
      {L"h", L"2"},   {L"hh", L"02"},  {L"hhh", L"02"},
      {L"H", L"14"},  {L"HH", L"14"},  {L"HHH", L"14"},
      {L"m", L"5"},   {L"mm", L"05"},  {L"mmm", L"05"},
      {L"s", L"9"},   {L"ss", L"09"},  {L"t", L"P"},
      {L"tt", L"PM"}, {L"ttt", L"PM"}, {L"H:mm:ss tt", L"14:05:09 PM"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatTimePicture(c.picture, Afternoon()), c.expected) << c.picture;
  }
}

TEST(TimePicture, UsesTwelveHoursAroundMidnightAndNoon) {
  const struct {
    int hour;
    const wchar_t* expected;
  } cases[] = {{0, L"12 AM 00 0"},
               {1, L"1 AM 01 1"},
               {11, L"11 AM 11 11"},
               {12, L"12 PM 12 12"},
               {23, L"11 PM 23 23"}};
  for (const auto& c : cases) {
    EXPECT_EQ(FormatTimePicture(L"h tt HH H", At(c.hour)), c.expected) << c.hour;
  }
}

TEST(Pictures, EachPassLeavesTheOtherPassesLettersAndOtherTextAlone) {
  EXPECT_EQ(FormatDatePicture(L"HH-mm-ss tt h", Afternoon()), L"HH-mm-ss tt h");
  EXPECT_EQ(FormatTimePicture(L"yyyy-MM-dd gg_HH", Afternoon()), L"yyyy-MM-dd gg_14");
  EXPECT_EQ(FormatTimePicture(L"x.log/\\ \u00e9", Afternoon()), L"x.log/\\ \u00e9");
}

TEST(DatePicture, FormatsEveryDateLetter) {
  const PictureCase cases[] = {
      {L"d", L"4"},           {L"dd", L"04"},
      {L"ddd", L"Fri"},       {L"dddd", L"Friday"},
      {L"ddddd", L"Friday"},  {L"M", L"12"},
      {L"MM", L"12"},         {L"MMM", L"Dec"},
      {L"MMMM", L"December"}, {L"MMMMM", L"December"},
      {L"y", L"26"},          {L"yy", L"26"},
      {L"yyy", L"2026"},      {L"yyyy", L"2026"},
      {L"yyyyy", L"2026"},    {L"g", L"A.D."},
      {L"gg", L"A.D."},       {L"dddd, MMMM d, yyyy", L"Friday, December 4, 2026"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatDatePicture(c.picture, Afternoon()), c.expected) << c.picture;
  }
}

TEST(DatePicture, PadsDaysAndMonthsOnlyInTheTwoLetterFormsAndYearsAlways) {
  const LocalTime march2006{2006, 3, 0, 5, 0, 0, 0, 0}; // Sunday
  const PictureCase cases[] = {
      {L"d", L"5"},     {L"dd", L"05"}, {L"M", L"3"},   {L"MM", L"03"},
      {L"MMM", L"Mar"}, {L"y", L"06"},  {L"yy", L"06"}, {L"ddd dddd", L"Sun Sunday"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatDatePicture(c.picture, march2006), c.expected) << c.picture;
  }
  const LocalTime year2000{2000, 1, 6, 1, 0, 0, 0, 0};
  EXPECT_EQ(FormatDatePicture(L"y|yy|yyy|yyyy", year2000), L"00|00|2000|2000");
}

TEST(DatePicture, NamesEveryDayAndMonth) {
  const wchar_t* const days[] = {L"Sun Sunday",   L"Mon Monday", L"Tue Tuesday", L"Wed Wednesday",
                                 L"Thu Thursday", L"Fri Friday", L"Sat Saturday"};
  for (int day = 0; day < 7; ++day) {
    LocalTime time = Afternoon();
    time.dayOfWeek = day;
    EXPECT_EQ(FormatDatePicture(L"ddd dddd", time), days[day]);
  }
  const wchar_t* const months[] = {L"Jan January", L"Feb February", L"Mar March",
                                   L"Apr April",   L"May May",      L"Jun June",
                                   L"Jul July",    L"Aug August",   L"Sep September",
                                   L"Oct October", L"Nov November", L"Dec December"};
  for (int month = 1; month <= 12; ++month) {
    LocalTime time = Afternoon();
    time.month = month;
    EXPECT_EQ(FormatDatePicture(L"MMM MMMM", time), months[month - 1]);
  }
}

TEST(Pictures, CopyQuotedTextWithoutItsQuotes) {
  const PictureCase cases[] = {
      {L"'h' h", L"h 2"}, {L"'it''s' h", L"it's 2"}, {L"''", L""},
      {L"''''", L"'"},    {L"'open h", L"open h"},   {L"a'b'c'", L"abc"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatTimePicture(c.picture, Afternoon()), c.expected) << c.picture;
  }
  EXPECT_EQ(FormatDatePicture(L"'dd' dd 'MMM'", Afternoon()), L"dd 04 MMM");
}

TEST(FileNamePicture, ExpandsTheTextBetweenTheFirstAndLastPercent) {
  const PictureCase cases[] = {
      {L"out_%yyyy-MM-dd_HH-mm-ss%.log", L"out_2026-12-04_14-05-09.log"},
      {L"out.log", L"out.log"},
      {L"out%.log", L"out.log"}, // a single "%" just disappears
      {L"a%%b", L"ab"},
      {L"%HH%", L"14"},
      {L"a%HH%x%b", L"a14%xb"}, // inner "%" characters belong to the picture
      {L"logs/%dddd%/err.txt", L"logs/Friday/err.txt"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExpandDateTimePicture(c.picture, Afternoon()), c.expected) << c.picture;
  }
}

TEST(FileNamePicture, WritesMillisecondsForLWithoutPadding) {
  const struct {
    int milliseconds;
    const wchar_t* picture;
    const wchar_t* expected;
  } cases[] = {
      {7, L"%ss.L%", L"09.7"},
      {0, L"%L%", L"0"},
      {999, L"%L-L%", L"999-999"},
      {42, L"%'L'%", L"42"}, // replaced before either pass, quotes or not
  };
  for (const auto& c : cases) {
    LocalTime time = Afternoon();
    time.milliseconds = c.milliseconds;
    EXPECT_EQ(ExpandDateTimePicture(c.picture, time), c.expected) << c.picture;
  }
}

TEST(FileNamePicture, TheDatePassReadsWhatTheTimePassWrote) {
  // The designator's "M" is a month for the date pass.
  EXPECT_EQ(ExpandDateTimePicture(L"%tt MM%", Afternoon()), L"P12 12");
  EXPECT_EQ(ExpandDateTimePicture(L"%tt%", At(9)), L"A12");
  EXPECT_EQ(ExpandDateTimePicture(L"%t%", At(9)), L"A");
  // Quotes are consumed by the time pass, so they shield letters from it alone...
  EXPECT_EQ(ExpandDateTimePicture(L"%'hh' dd%", Afternoon()), L"hh 04");
  EXPECT_EQ(ExpandDateTimePicture(L"%'dd'%", Afternoon()), L"04");
  // ...and a doubled pair survives it to shield a date letter as well.
  EXPECT_EQ(ExpandDateTimePicture(L"%'''dd'''%", Afternoon()), L"dd");
}

TEST(PictureInPieces, CutsOnlyBetweenQuotedTextsFieldsAndOtherCharacters) {
  const struct {
    const wchar_t* picture;
    std::vector<std::wstring> pieces; // of at most 8 units, date letters
  } cases[] = {
      {L"", std::vector<std::wstring>()},
      {L"yyyy-MM", {L"yyyy-MM"}},
      {L"yyyy-MM-dd", {L"yyyy-MM-", L"dd"}},
      {L"x'ab'yyyy", {L"x'ab'", L"yyyy"}},
      {L"HHHHHHHHHH", {L"HHHHHHHH", L"HH"}}, // text to the date pass
      {L"MMMMMMMMMMMM-d", {L"MMMMMMMM", L"-d"}},
      {L"-'abcdefghij'd", {L"-", L"'abcdef'", L"'ghij'", L"d"}},
      {L"'ab''cdefg'", {L"'ab''cd'", L"'efg'"}},
      {L"''''''''''", {L"''''''''", L"''''"}}, // four quotes, quoted
      {L"'abcdefghij", {L"'abcdef'", L"'ghij'"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitPicture(c.picture, kDatePictureLetters, 8), c.pieces) << c.picture;
  }
}

} // namespace
} // namespace launcher
