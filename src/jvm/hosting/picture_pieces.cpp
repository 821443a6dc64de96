#include "jvm/hosting/picture_pieces.h"

#include <algorithm>

namespace launcher {
namespace {

constexpr wchar_t kQuote = L'\'';

// One quote written inside a quoted text: opening quote, doubled quote, closing quote.
constexpr size_t kSmallestPiece = 4;

// The text as quoted texts of at most maxUnits units each. Every part goes to the system on
// its own: two of them side by side would read as one text with a quote in it.
std::vector<std::wstring> QuoteInParts(std::wstring_view text, size_t maxUnits) {
  std::vector<std::wstring> parts;
  std::wstring part(1, kQuote);
  for (const wchar_t c : text) {
    const size_t units = c == kQuote ? 2 : 1;
    if (part.size() + units + 1 > maxUnits) {
      parts.push_back(part + kQuote);
      part.assign(1, kQuote);
    }
    part.append(units, c);
  }
  parts.push_back(part + kQuote);
  return parts;
}

} // namespace

std::vector<std::wstring> SplitPicture(std::wstring_view picture, std::wstring_view letters,
                                       size_t maxUnits) {
  maxUnits = std::max(maxUnits, kSmallestPiece);
  std::vector<std::wstring> pieces;
  std::wstring piece;
  const auto endPiece = [&pieces, &piece] {
    if (!piece.empty()) {
      pieces.push_back(std::move(piece));
      piece.clear();
    }
  };
  for (size_t i = 0; i < picture.size();) {
    const PictureToken token = PictureTokenAt(picture, i, letters);
    i += token.text.size();
    std::wstring_view text = token.text;
    if (text.size() > maxUnits && token.kind == PictureTokenKind::kQuoted) {
      endPiece();
      for (std::wstring& part : QuoteInParts(UnquotedText(text), maxUnits)) {
        pieces.push_back(std::move(part));
      }
      continue;
    }
    text = text.substr(0, maxUnits); // only a run of one letter can be longer
    if (piece.size() + text.size() > maxUnits) {
      endPiece();
    }
    piece += text;
  }
  endPiece();
  return pieces;
}

std::wstring FormatPictureInPieces(std::wstring_view picture, std::wstring_view letters,
                                   const LocalTime& time, const PictureFormatter& format) {
  std::wstring text;
  for (const std::wstring& piece : SplitPicture(picture, letters)) {
    text += format(piece, time);
  }
  return text;
}

} // namespace launcher
