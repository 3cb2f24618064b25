// Searching, replacing and splitting by GBK characters: a match only ever begins at the
// start of a character.
#include <algorithm>
#include <string_view>

#include "text/gbk_scan.h"
#include "text/toolkit.h"

namespace dw {

using text_detail::CharMatcher;
constexpr std::size_t kNone = std::string_view::npos;

int FindText(const Text& text, const Text& search, std::optional<int> start, bool ignoreCase) {
  const std::size_t length = text.size();
  std::size_t begin = 0;
  if (start) {
    const long long from = std::max(*start, 1);
    if (static_cast<unsigned long long>(from) > length) return -1;
    begin = static_cast<std::size_t>(from - 1);
  }
  if (begin >= length) return -1;
  if (search.empty()) return 1;
  CharMatcher matcher(text, search, begin, ignoreCase);
  const std::size_t p = matcher.Next(begin);
  return p == kNone ? -1 : static_cast<int>(p + 1);
}

int FindTextReverse(const Text& text, const Text& search, std::optional<int> start,
                    bool ignoreCase) {
  std::size_t region = text.size();
  if (start) {
    const long long k = std::max(static_cast<long long>(*start) - 1, 0LL);
    region = std::min(static_cast<std::size_t>(k), text.size());
  }
  if (search.empty()) return region > 0 ? 1 : -1;
  // The region is scanned as a text of its own: a lead byte at its end is truncated.
  const std::string_view scanned(text.data(), region);
  CharMatcher matcher(scanned, search, 0, ignoreCase);
  std::size_t last = kNone;
  for (std::size_t p = matcher.Next(0); p != kNone; p = matcher.Next(p + 1)) last = p;
  return last == kNone ? -1 : static_cast<int>(last + 1);
}

Text ReplaceText(const Text& text, const Text& search, const Text& replacement,
                 std::optional<int> start, std::optional<int> count, bool caseSensitive) {
  std::size_t begin = 0;
  if (start) begin = static_cast<std::size_t>(std::max(*start, 1) - 1);
  long long limit = -1;
  if (count && *count >= 0) limit = *count;
  if (text.empty() || search.empty() || begin >= text.size() || limit == 0) return text;

  CharMatcher matcher(text, search, begin, !caseSensitive);
  Text result;
  result.reserve(text.size());
  std::size_t copied = 0;  // bytes of text already handled
  std::size_t from = begin;
  long long made = 0;
  for (std::size_t p = matcher.Next(from); p != kNone; p = matcher.Next(from)) {
    result.append(text, copied, p - copied);
    result += replacement;
    from = copied = p + search.size();
    matcher.Restart(from);
    if (++made == limit) {
      result.append(text, copied);
      return result;
    }
  }
  // The scan runs to the end; a truncated character it meets there is dropped.
  std::size_t end = text.size();
  if (matcher.EndsOnTruncated(from)) --end;
  result.append(text, copied, end - copied);
  return result;
}

TextArray SplitText(const Text& text, const Text& separator, std::optional<int> maxParts) {
  long long limit = -1;
  if (maxParts) limit = std::max(*maxParts, 0);
  TextArray parts;
  if (text.empty() || limit == 0) return parts;
  if (separator.empty()) {
    parts.push_back(text);
    return parts;
  }
  CharMatcher matcher(text, separator, 0, false);
  std::size_t piece = 0;
  for (std::size_t p = matcher.Next(0); p != kNone; p = matcher.Next(piece)) {
    parts.emplace_back(text, piece, p - piece);
    piece = p + separator.size();
    matcher.Restart(piece);
    if (static_cast<long long>(parts.size()) == limit) return parts;
  }
  if (piece < text.size()) parts.emplace_back(text, piece);
  return parts;
}

}  // namespace dw
