#include "jvm/hosting/date_time_picture.h"

#include <string>

namespace launcher {
namespace {

constexpr wchar_t kQuote = L'\'';

const wchar_t* const kDayNames[] = {L"Sunday",   L"Monday", L"Tuesday", L"Wednesday",
                                    L"Thursday", L"Friday", L"Saturday"};
const wchar_t* const kDayAbbreviations[] = {L"Sun", L"Mon", L"Tue", L"Wed", L"Thu", L"Fri", L"Sat"};
const wchar_t* const kMonthNames[] = {L"January",   L"February", L"March",    L"April",
                                      L"May",       L"June",     L"July",     L"August",
                                      L"September", L"October",  L"November", L"December"};
const wchar_t* const kMonthAbbreviations[] = {L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun",
                                              L"Jul", L"Aug", L"Sep", L"Oct", L"Nov", L"Dec"};
constexpr wchar_t kEra[] = L"A.D.";

// Names are looked up by index; a field outside its range gives no name rather than reading
// past a table.
std::wstring NameAt(const wchar_t* const* table, int count, int index) {
  return index >= 0 && index < count ? std::wstring(table[index]) : std::wstring();
}

// The number with at least `digits` digits.
std::wstring Number(int value, size_t digits) {
  const bool negative = value < 0;
  std::wstring text = std::to_wstring(negative ? -static_cast<long long>(value) : value);
  if (text.size() < digits) {
    text.insert(0, digits - text.size(), L'0');
  }
  return negative ? L"-" + text : text;
}

// Walks a picture: quoted text is copied without its quotes, a run of one of `letters` is
// handed to `field` with its length, anything else is copied.
template <typename Field>
std::wstring FormatPicture(std::wstring_view picture, std::wstring_view letters, Field field) {
  std::wstring out;
  out.reserve(picture.size() * 2);
  for (size_t i = 0; i < picture.size();) {
    const PictureToken token = PictureTokenAt(picture, i, letters);
    switch (token.kind) {
    case PictureTokenKind::kQuoted:
      out += UnquotedText(token.text);
      break;
    case PictureTokenKind::kField:
      out += field(token.text.front(), token.text.size());
      break;
    case PictureTokenKind::kLiteral:
      out += token.text;
      break;
    }
    i += token.text.size();
  }
  return out;
}

} // namespace

PictureToken PictureTokenAt(std::wstring_view picture, size_t position, std::wstring_view letters) {
  const wchar_t c = picture[position];
  size_t end = position + 1;
  if (c == kQuote) {
    while (end < picture.size()) {
      if (picture[end] == kQuote) {
        ++end;
        if (end >= picture.size() || picture[end] != kQuote) {
          break;
        }
      }
      ++end;
    }
    return {PictureTokenKind::kQuoted, picture.substr(position, end - position)};
  }
  if (letters.find(c) == std::wstring_view::npos) {
    return {PictureTokenKind::kLiteral, picture.substr(position, 1)};
  }
  while (end < picture.size() && picture[end] == c) {
    ++end;
  }
  return {PictureTokenKind::kField, picture.substr(position, end - position)};
}

std::wstring UnquotedText(std::wstring_view quoted) {
  std::wstring text;
  for (size_t i = 1; i < quoted.size(); ++i) {
    if (quoted[i] == kQuote) {
      ++i;
      if (i >= quoted.size() || quoted[i] != kQuote) {
        break;
      }
    }
    text.push_back(quoted[i]);
  }
  return text;
}

std::wstring FormatTimePicture(std::wstring_view picture, const LocalTime& time) {
  return FormatPicture(picture, kTimePictureLetters, [&time](wchar_t letter, size_t count) {
    const size_t digits = count >= 2 ? 2 : 1;
    switch (letter) {
    case L'h': {
      const int hour = time.hour % 12;
      return Number(hour == 0 ? 12 : hour, digits);
    }
    case L'H':
      return Number(time.hour, digits);
    case L'm':
      return Number(time.minute, digits);
    case L's':
      return Number(time.second, digits);
    default: { // t
      const std::wstring designator = time.hour < 12 ? L"AM" : L"PM";
      return count >= 2 ? designator : designator.substr(0, 1);
    }
    }
  });
}

std::wstring FormatDatePicture(std::wstring_view picture, const LocalTime& time) {
  return FormatPicture(picture, kDatePictureLetters, [&time](wchar_t letter, size_t count) {
    switch (letter) {
    case L'd':
      if (count >= 4) {
        return NameAt(kDayNames, 7, time.dayOfWeek);
      }
      if (count == 3) {
        return NameAt(kDayAbbreviations, 7, time.dayOfWeek);
      }
      return Number(time.day, count);
    case L'M':
      if (count >= 4) {
        return NameAt(kMonthNames, 12, time.month - 1);
      }
      if (count == 3) {
        return NameAt(kMonthAbbreviations, 12, time.month - 1);
      }
      return Number(time.month, count);
    case L'y':
      // One or two letters give the year in its century, padded to two digits; three or more
      // the full year.
      if (count >= 3) {
        return Number(time.year, 4);
      }
      return Number(time.year % 100, 2);
    default: // g
      return std::wstring(kEra);
    }
  });
}

std::wstring ExpandDateTimePicture(std::wstring_view fileName, const LocalTime& time,
                                   const PictureFormatter& formatTime,
                                   const PictureFormatter& formatDate) {
  const size_t first = fileName.find(L'%');
  if (first == std::wstring_view::npos) {
    return std::wstring(fileName);
  }
  const size_t last = fileName.rfind(L'%');
  std::wstring picture;
  if (last > first) {
    const std::wstring milliseconds = std::to_wstring(time.milliseconds);
    for (const wchar_t c : fileName.substr(first + 1, last - first - 1)) {
      if (c == L'L') {
        picture += milliseconds;
      } else {
        picture.push_back(c);
      }
    }
  }
  const std::wstring formatted = formatDate(formatTime(picture, time), time);
  std::wstring name(fileName.substr(0, first));
  name += formatted;
  name += fileName.substr(last + 1);
  return name;
}

} // namespace launcher
