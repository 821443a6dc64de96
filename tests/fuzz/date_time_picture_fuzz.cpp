// Expands arbitrary file names with date and time pictures at arbitrary moments, including
// fields outside their ranges, and checks that the text outside the two "%" stays as it was;
// and that a picture formatted in pieces of any size gives the text of the whole.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/text.h"
#include "jvm/hosting/date_time_picture.h"
#include "jvm/hosting/picture_pieces.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) {
    return 0;
  }
  // Eight bytes choose the moment; the rest is the file name.
  launcher::LocalTime time;
  time.year = (data[0] << 8) | data[1];
  time.month = static_cast<int8_t>(data[2]);
  time.dayOfWeek = static_cast<int8_t>(data[3]);
  time.day = data[4] % 40;
  time.hour = data[5] % 30;
  time.minute = data[6] % 70;
  time.second = data[7] % 70;
  time.milliseconds = (data[0] * 7 + data[7]) % 1000;
  const std::wstring name =
      launcher::FromUtf8(std::string_view(reinterpret_cast<const char*>(data + 8), size - 8));

  const std::wstring expanded = launcher::ExpandDateTimePicture(name, time);
  const size_t first = name.find(L'%');
  if (first == std::wstring::npos) {
    if (expanded != name) {
      std::abort();
    }
    return 0;
  }
  const size_t last = name.rfind(L'%');
  const std::wstring_view before = std::wstring_view(name).substr(0, first);
  const std::wstring_view after = std::wstring_view(name).substr(last + 1);
  if (!launcher::StartsWith(expanded, before) || !launcher::EndsWith(expanded, after)) {
    std::abort();
  }
  const size_t maxUnits = data[6] % 40;
  for (const auto format : {launcher::FormatTimePicture, launcher::FormatDatePicture}) {
    const std::wstring_view letters = format == launcher::FormatTimePicture
                                          ? launcher::kTimePictureLetters
                                          : launcher::kDatePictureLetters;
    std::wstring joined;
    for (const std::wstring& piece : launcher::SplitPicture(name, letters, maxUnits)) {
      if (piece.empty() || piece.size() > std::max<size_t>(maxUnits, 4)) {
        std::abort();
      }
      joined += format(piece, time);
    }
    if (joined != format(name, time)) {
      std::abort();
    }
  }
  return 0;
}
