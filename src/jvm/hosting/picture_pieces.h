#pragma once

// Long date and time pictures, formatted a piece at a time. The Windows formatting functions
// do not take long pictures safely: under Wine 8, a result of 292 units or more overruns a
// buffer inside them and crashes the process, and the date function drops the fields that
// would take its result past 250 units. So no more than kPicturePieceUnits units of picture
// go to them at once, which keeps every result well below those limits too (the longest
// fields, day and month names, are about twice as long as their letters).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "jvm/hosting/date_time_picture.h"

namespace launcher {

inline constexpr size_t kPicturePieceUnits = 64;

// Cuts a picture into pieces of at most maxUnits units (4 at least) whose formatted texts,
// joined, are the formatted text of the whole picture. Cuts fall between tokens only, so
// every quoted text and every run of one of `letters` stays whole; a picture that fits stays
// one piece, unchanged. A quoted text longer than a piece is quoted again in parts. A run of
// one letter longer than a piece is cut to maxUnits letters: any run that long is the
// letter's longest form.
std::vector<std::wstring> SplitPicture(std::wstring_view picture, std::wstring_view letters,
                                       size_t maxUnits = kPicturePieceUnits);

// Formats the pieces of the picture one by one and joins the results.
std::wstring FormatPictureInPieces(std::wstring_view picture, std::wstring_view letters,
                                   const LocalTime& time, const PictureFormatter& format);

} // namespace launcher
