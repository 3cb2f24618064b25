// The widget's three kinds of value besides integers and logical values.
// Texts are GBK byte strings (code page 936), never assumed to be UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dw {

// A GBK byte string without NUL inside. Absent and empty are the same value.
using Text = std::string;
// Bytes of any value (web bodies, picture files). Absent is the empty set.
using ByteSet = std::vector<std::uint8_t>;
// Texts numbered from 1 at the API.
using TextArray = std::vector<Text>;

inline int ElementCount(const TextArray& array) { return static_cast<int>(array.size()); }
// The element at the 1-based index; an index outside 1..count gives the empty text.
inline Text ElementAt(const TextArray& array, int index) {
  if (index < 1 || index > ElementCount(array)) return Text();
  return array[static_cast<std::size_t>(index - 1)];
}
inline void AppendElement(TextArray& array, const Text& text) { array.push_back(text); }

}  // namespace dw
