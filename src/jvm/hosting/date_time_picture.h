#pragma once

// Date and time pictures in stream file names ("out_%yyyy-MM-dd_HH-mm-ss%.log"). The letters
// are those of the Windows time and date formatting functions:
//   time pass: h hh (12-hour), H HH (24-hour), m mm, s ss, t (A/P), tt (AM/PM)
//   date pass: d dd (day), ddd dddd (day name), M MM (month), MMM MMMM (month name),
//              y yy (year in the century, two digits), yyy yyyy (full year), g gg (era)
// A run of one letter is one field; longer runs than listed behave as the longest form.
// Text in single quotes is copied without its quotes ('' inside quotes is one quote), and
// everything else is copied as it stands. The date pass reads what the time pass produced,
// so an AM/PM designator written by "tt" meets the date letters again ("AM" gives "A" and the
// month). Before both passes every "L" becomes the milliseconds, without leading zeros.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace launcher {

// A moment in local time, with the fields of the Windows SYSTEMTIME record.
struct LocalTime {
  int year = 1601;
  int month = 1;     // 1 to 12
  int dayOfWeek = 0; // 0 Sunday to 6 Saturday
  int day = 1;       // 1 to 31
  int hour = 0;      // 0 to 23
  int minute = 0;
  int second = 0;
  int milliseconds = 0;
};

// The time pass and the date pass with US English names and designators, as the Windows
// functions give them for the en-US locale.
std::wstring FormatTimePicture(std::wstring_view picture, const LocalTime& time);
std::wstring FormatDatePicture(std::wstring_view picture, const LocalTime& time);

using PictureFormatter =
    std::function<std::wstring(std::wstring_view picture, const LocalTime& time)>;

// The letters each pass reads as fields; every other character is text to it.
inline constexpr std::wstring_view kTimePictureLetters = L"hHmst";
inline constexpr std::wstring_view kDatePictureLetters = L"dMyg";

// A picture read the way both passes read it, one token at a time.
enum class PictureTokenKind { kQuoted, kField, kLiteral };
struct PictureToken {
  PictureTokenKind kind;
  std::wstring_view text; // as it stands in the picture, quotes included
};

// The token that starts at `position`, which lies inside the picture: a quoted text up to the
// quote that closes it ('' inside stands for one quote; an unclosed quote runs to the end), a
// run of one of `letters`, or a single other character.
PictureToken PictureTokenAt(std::wstring_view picture, size_t position, std::wstring_view letters);

// What a quoted token stands for: its text without the quotes, with '' read as one quote.
std::wstring UnquotedText(std::wstring_view quoted);

// Replaces the text from the first to the last "%" (both included) by the picture between
// them, formatted: milliseconds for "L", then the time pass, then the date pass. A name
// without "%" stays as it is; a single "%" just disappears.
std::wstring ExpandDateTimePicture(std::wstring_view fileName, const LocalTime& time,
                                   const PictureFormatter& formatTime = FormatTimePicture,
                                   const PictureFormatter& formatDate = FormatDatePicture);

} // namespace launcher
