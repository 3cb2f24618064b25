// Counting, cutting and joining texts and byte sets by plain byte positions, and the
// conversions between the value kinds.
#include <algorithm>
#include <cstring>

#include "text/toolkit.h"

namespace dw {

int TextLength(const Text& text) {
  return static_cast<int>(text.size());
}

int BytesLength(const ByteSet& bytes) {
  return static_cast<int>(bytes.size());
}

Text TextLeft(const Text& text, int n) {
  if (n <= 0) return Text();
  return text.substr(0, std::min(static_cast<std::size_t>(n), text.size()));
}

Text TextRight(const Text& text, int n) {
  if (n <= 0) return Text();
  const std::size_t k = std::min(static_cast<std::size_t>(n), text.size());
  return text.substr(text.size() - k);
}

Text TextMid(const Text& text, int start, int n) {
  const int length = TextLength(text);
  if (start < 1 || start > length || n <= 0) return Text();
  const int k = std::min(n, length - start + 1);
  return text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(k));
}

Text CharFromCode(int code) {
  const char byte = static_cast<char>(code & 0xFF);
  // A text holds no NUL byte, so a code whose low byte is zero gives the empty text.
  if (byte == '\0') return Text();
  return Text(1, byte);
}

int CharCode(const Text& text, int position) {
  if (position < 1 || position > TextLength(text)) return 0;
  return static_cast<signed char>(text[static_cast<std::size_t>(position - 1)]);
}

ByteSet TextToBytes(const Text& text) {
  return ByteSet(text.begin(), text.end());
}

Text BlankText(int n) {
  return n <= 0 ? Text() : Text(static_cast<std::size_t>(n), ' ');
}

ByteSet BlankBytes(int n) {
  return n <= 0 ? ByteSet() : ByteSet(static_cast<std::size_t>(n), 0);
}

ByteSet BytesLeft(const ByteSet& bytes, int n) {
  const std::size_t k = std::min(static_cast<std::size_t>(std::max(n, 0)), bytes.size());
  return ByteSet(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(k));
}

ByteSet BytesMid(const ByteSet& bytes, int start, int n) {
  const std::size_t from =
      std::min(static_cast<std::size_t>(std::max(start, 1)), bytes.size() + 1) - 1;
  const std::size_t k = std::min(static_cast<std::size_t>(std::max(n, 0)), bytes.size() - from);
  const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(from);
  return ByteSet(first, first + static_cast<std::ptrdiff_t>(k));
}

Text ToText(int value) {
  return std::to_string(value);
}

Text ToText(const ByteSet& bytes) {
  const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
  return Text(bytes.begin(), end);
}

int BitwiseOr(std::initializer_list<int> values) {
  int result = 0;
  for (int v : values) result |= v;
  return result;
}

Text ConcatText(std::initializer_list<Text> texts) {
  std::size_t total = 0;
  for (const Text& t : texts) total += t.size();
  Text result;
  result.reserve(total);
  for (const Text& t : texts) result += t;
  return result;
}

ByteSet ConcatBytes(std::initializer_list<ByteSet> parts) {
  std::size_t total = 0;
  for (const ByteSet& b : parts) total += b.size();
  ByteSet result;
  result.reserve(total);
  for (const ByteSet& b : parts) result.insert(result.end(), b.begin(), b.end());
  return result;
}

int CompareText(const Text& a, const Text& b) {
  // std::string compares through char_traits<char>, which orders bytes as unsigned values.
  const int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool CompareBytes(const ByteSet& a, const ByteSet& b) {
  return a == b;
}

}  // namespace dw
