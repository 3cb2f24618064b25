// Cutting a text at markers: the bytes between two markers, or before a separator.
#include <string_view>

#include "text/toolkit.h"

namespace dw {

namespace {

// "#引号" in GBK: lets a caller write a double quote inside a marker.
constexpr std::string_view kQuoteWord = "#\xD2\xFD\xBA\xC5";

Text WithQuotes(const Text& marker) {
  if (marker.find(kQuoteWord) == Text::npos) return marker;
  Text result;
  result.reserve(marker.size());
  std::size_t copied = 0;
  for (std::size_t p = marker.find(kQuoteWord); p != Text::npos;
       p = marker.find(kQuoteWord, copied)) {
    result.append(marker, copied, p - copied);
    result += '"';
    copied = p + kQuoteWord.size();
  }
  result.append(marker, copied);
  return result;
}

}  // namespace

Text TextBetween(const Text& text, const Text& startMarker, const Text& endMarker,
                 std::optional<int> start, bool ignoreCase) {
  const Text opening = WithQuotes(startMarker);
  const Text closing = WithQuotes(endMarker);
  const int i = FindText(text, opening, start.value_or(0), ignoreCase);
  if (i == -1) return Text();
  const int s = i + TextLength(opening);
  const int j = FindText(text, closing, s, ignoreCase);
  if (j == -1) return Text();
  return TextMid(text, s, j - s);
}

Text TextBefore(const Text& text, const Text& separator, int position, bool ignoreCase) {
  int j = -1;
  if (position >= 0) {
    j = FindText(text, separator, position == 0 ? 1 : position, ignoreCase);
  } else {
    long long k = -static_cast<long long>(position);
    if (k == 1) k = 0;
    const long long before = static_cast<long long>(TextLength(text)) - k + 1;
    // A start below the text behaves as 1 (an empty region) for the reverse search.
    j = FindTextReverse(text, separator, static_cast<int>(before < 1 ? 1 : before), ignoreCase);
  }
  if (j == -1) return Text();
  return TextLeft(text, j - 1);
}

}  // namespace dw
