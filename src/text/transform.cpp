// Character-wise rewriting of a text: case changes, trimming, reading a number.
#include <cstdint>
#include <string_view>

#include "text/gbk_scan.h"
#include "text/toolkit.h"

namespace dw {

using text_detail::Byte;
using text_detail::IsLead;

namespace {

constexpr std::size_t kNoRun = std::string_view::npos;

// Changes the ASCII letters in [from, to] of each one-byte character; second bytes of
// two-byte characters stay as they are, and a truncated character ends the changes.
Text ChangeCase(const Text& text, unsigned char from, unsigned char to) {
  Text result = text;
  const std::size_t n = result.size();
  std::size_t i = 0;
  while (i < n) {
    const unsigned char b = Byte(result, i);
    if (IsLead(b)) {
      i += 2;
      continue;
    }
    if (b >= from && b <= to) result[i] = static_cast<char>(b ^ 0x20);
    ++i;
  }
  return result;
}

bool IsWideSpace(std::string_view s, std::size_t i) {
  return i + 1 < s.size() && Byte(s, i) == 0xA1 && Byte(s, i + 1) == 0xA1;
}

}  // namespace

Text ToUpper(const Text& text) {
  return ChangeCase(text, 'a', 'z');
}

Text ToLower(const Text& text) {
  return ChangeCase(text, 'A', 'Z');
}

int TextToInt(const Text& text) {
  // Each character is read as one ASCII byte: full-width forms (0xA3 0xA1..0xFE) and the
  // full-width space map to their ASCII counterparts; any other two-byte character, or a
  // truncated one, reads as a byte that stops the number.
  enum class Stage { kSpace, kSign, kDigits };
  Stage stage = Stage::kSpace;
  bool negative = false;
  std::uint32_t value = 0;
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n;) {
    unsigned char c = Byte(text, i);
    if (IsLead(c)) {
      if (i + 1 >= n) break;
      const unsigned char second = Byte(text, i + 1);
      if (c == 0xA3 && second >= 0xA1 && second <= 0xFE) {
        c = static_cast<unsigned char>(second - 0x80);
      } else if (c == 0xA1 && second == 0xA1) {
        c = ' ';
      } else {
        break;
      }
      i += 2;
    } else {
      ++i;
    }
    if (stage == Stage::kSpace) {
      if (c == ' ' || (c >= '\t' && c <= '\r')) continue;
      stage = Stage::kSign;
    }
    if (stage == Stage::kSign) {
      stage = Stage::kDigits;
      if (c == '+' || c == '-') {
        negative = c == '-';
        continue;
      }
    }
    if (c < '0' || c > '9') break;
    value = value * 10u + static_cast<std::uint32_t>(c - '0');
  }
  // The value wraps in 32 bits, as the number arithmetic of the widget does.
  if (negative) value = 0u - value;
  return static_cast<int>(value);
}

Text TrimText(const Text& text) {
  const std::string_view s(text);
  const std::size_t n = s.size();
  std::size_t first = 0;
  while (first < n) {
    if (Byte(s, first) == ' ') {
      ++first;
    } else if (IsWideSpace(s, first)) {
      first += 2;
    } else {
      break;
    }
  }
  std::size_t blankRun = kNoRun;
  std::size_t i = first;
  std::size_t end = n;
  while (i < n) {
    const unsigned char b = Byte(s, i);
    if (b == ' ' || IsWideSpace(s, i)) {
      if (blankRun == kNoRun) blankRun = i;
      i += b == ' ' ? 1 : 2;
    } else if (IsLead(b) && i + 1 == n) {
      // A truncated character at the very end goes; the blanks before it stay.
      blankRun = kNoRun;
      end = i;
      break;
    } else {
      blankRun = kNoRun;
      i += IsLead(b) ? 2 : 1;
    }
  }
  if (blankRun != kNoRun) end = blankRun;
  return text.substr(first, end - first);
}

}  // namespace dw
