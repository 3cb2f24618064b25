// The text and byte operations every handler builds on. Positions are 1-based byte
// positions, a failed search gives -1, and scanning operations step over two-byte GBK
// characters (a byte >= 0x80 takes the next byte with it; a lone lead byte at the very end
// ends the scan). No operation changes its arguments or fails on them.
#pragma once

#include <initializer_list>
#include <optional>

#include "text/values.h"

namespace dw {

int TextLength(const Text& text);
int BytesLength(const ByteSet& bytes);
Text TextLeft(const Text& text, int n);
Text TextRight(const Text& text, int n);
Text TextMid(const Text& text, int start, int n);
Text CharFromCode(int code);
int CharCode(const Text& text, int position = 1);

// start omitted: the whole text; given: from max(start, 1).
int FindText(const Text& text, const Text& search, std::optional<int> start = std::nullopt,
             bool ignoreCase = false);
// Last occurrence lying wholly before start (the whole text when omitted).
int FindTextReverse(const Text& text, const Text& search, std::optional<int> start = std::nullopt,
                    bool ignoreCase = false);

Text ToUpper(const Text& text);
Text ToLower(const Text& text);
int TextToInt(const Text& text);
Text TrimText(const Text& text);

// count omitted or negative: no limit; 0: no replacement.
Text ReplaceText(const Text& text, const Text& search, const Text& replacement,
                 std::optional<int> start, std::optional<int> count, bool caseSensitive);
inline Text ReplaceText(const Text& text, const Text& search, const Text& replacement,
                        bool caseSensitive) {
  return ReplaceText(text, search, replacement, std::nullopt, std::nullopt, caseSensitive);
}

TextArray SplitText(const Text& text, const Text& separator = ",",
                    std::optional<int> maxParts = std::nullopt);

ByteSet TextToBytes(const Text& text);
Text BlankText(int n);
ByteSet BlankBytes(int n);
ByteSet BytesLeft(const ByteSet& bytes, int n);
ByteSet BytesMid(const ByteSet& bytes, int start, int n);

Text ToText(int value);
inline Text ToText(const Text& text) {
  return text;
}
// Bytes up to the first zero byte.
Text ToText(const ByteSet& bytes);

int BitwiseOr(std::initializer_list<int> values);
Text ConcatText(std::initializer_list<Text> texts);
ByteSet ConcatBytes(std::initializer_list<ByteSet> parts);
int CompareText(const Text& a, const Text& b);
bool CompareBytes(const ByteSet& a, const ByteSet& b);

// The bytes strictly between the first start marker (from start) and the next end marker.
// "#引号" in a marker stands for a double quote.
Text TextBetween(const Text& text, const Text& startMarker, const Text& endMarker,
                 std::optional<int> start = std::nullopt, bool ignoreCase = false);
// The bytes before the separator (the last one within the text for negative positions).
Text TextBefore(const Text& text, const Text& separator, int position = 0, bool ignoreCase = false);

}  // namespace dw
