// The toolkit's rules, case by case: positions, options, GBK stepping, trimming, splitting.
#include <gtest/gtest.h>

#include <climits>

#include "platform/codepage.h"
#include "text/toolkit.h"

namespace dw {
namespace {

constexpr auto kNo = std::nullopt;

TEST(TextSlicing, CountsPlainBytesAndClamps) {
  EXPECT_EQ(TextLeft("abc", 5), "abc");
  EXPECT_EQ(TextLeft("abc", 0), "");
  EXPECT_EQ(TextLeft("abc", -1), "");
  EXPECT_EQ(TextRight("abc", 2), "bc");
  EXPECT_EQ(TextRight("abc", 9), "abc");
  EXPECT_EQ(TextRight("abc", -2), "");
  EXPECT_EQ(TextMid("abcdef", 0, 2), "");  // no clamping of the start
  EXPECT_EQ(TextMid("abcdef", 2, 3), "bcd");
  EXPECT_EQ(TextMid("abcdef", 5, 10), "ef");
  EXPECT_EQ(TextMid("abcdef", 7, 1), "");
  EXPECT_EQ(TextMid("abcdef", 1, 0), "");
  EXPECT_EQ(TextMid("abc", 2, INT_MAX), "bc");
  EXPECT_EQ(TextMid("\xB0\xA1x", 2, 2), "\xA1x");  // may cut a character in half
  EXPECT_EQ(TextLength("\xB0\xA1x"), 3);

  const ByteSet b{1, 2, 3};
  EXPECT_EQ(BytesMid(b, 0, 2), (ByteSet{1, 2}));  // start clamped to byte 1
  EXPECT_EQ(BytesMid(b, INT_MIN, 1), (ByteSet{1}));
  EXPECT_EQ(BytesMid(b, 3, 5), (ByteSet{3}));
  EXPECT_EQ(BytesMid(b, 4, 1), ByteSet{});
  EXPECT_EQ(BytesMid(b, INT_MAX, INT_MAX), ByteSet{});
  EXPECT_EQ(BytesMid(b, 2, -1), ByteSet{});
  EXPECT_EQ(BytesLeft(b, -1), ByteSet{});
  EXPECT_EQ(BytesLeft(b, 2), (ByteSet{1, 2}));
  EXPECT_EQ(BytesLeft(b, 9), b);
  EXPECT_EQ(BytesLength(ByteSet{}), 0);
}

TEST(TextSlicing, CodesAndConversions) {
  EXPECT_EQ(CharCode("\xB0"), -80);
  EXPECT_EQ(CharCode(""), 0);
  EXPECT_EQ(CharCode("ab", 2), 'b');
  EXPECT_EQ(CharCode("ab", 3), 0);
  EXPECT_EQ(CharCode("ab", 0), 0);
  EXPECT_EQ(CharFromCode('A'), "A");
  EXPECT_EQ(CharFromCode(0x141), "A");  // low 8 bits
  EXPECT_EQ(CharFromCode(-80), "\xB0");
  EXPECT_EQ(CharFromCode(0), "");
  EXPECT_EQ(CharFromCode(0x100), "");  // would be a NUL byte, which no text holds

  EXPECT_EQ(ToText(0), "0");
  EXPECT_EQ(ToText(-42), "-42");
  EXPECT_EQ(ToText(INT_MIN), "-2147483648");
  EXPECT_EQ(ToText(ByteSet{'a', 'b', 0, 'c'}), "ab");
  EXPECT_EQ(ToText(ByteSet{'x', 0xB0}), "x\xB0");
  EXPECT_EQ(ToText(ByteSet{}), "");
  EXPECT_EQ(TextToBytes("a\xB0"), (ByteSet{0x61, 0xB0}));
  EXPECT_EQ(BlankText(3), "   ");
  EXPECT_EQ(BlankText(-1), "");
  EXPECT_EQ(BlankBytes(2), (ByteSet{0, 0}));
  EXPECT_EQ(BlankBytes(0), ByteSet{});
  EXPECT_EQ(BitwiseOr({1, 2, 4, 0x100}), 0x107);
  EXPECT_EQ(ConcatText({"a", "", Gbk("天"), "b"}), "a" + Gbk("天") + "b");
  EXPECT_EQ(ConcatBytes({ByteSet{1}, ByteSet{}, ByteSet{2, 3}}), (ByteSet{1, 2, 3}));
}

TEST(TextSlicing, ComparesBytesAsUnsigned) {
  EXPECT_LT(CompareText("a", "b"), 0);
  EXPECT_GT(CompareText("b", "a"), 0);
  EXPECT_LT(CompareText("ab", "abc"), 0);
  EXPECT_GT(CompareText("\xB0", "a"), 0);
  EXPECT_EQ(CompareText(Gbk("天气"), Gbk("天气")), 0);
  EXPECT_TRUE(CompareBytes(ByteSet{1, 2}, ByteSet{1, 2}));
  EXPECT_FALSE(CompareBytes(ByteSet{1, 2}, ByteSet{1, 2, 0}));
  EXPECT_TRUE(CompareBytes(ByteSet{}, ByteSet{}));
}

struct FindCase {
  Text text, search;
  std::optional<int> start;
  bool ignoreCase;
  int forward, reverse;
};

TEST(TextSearch, ForwardAndReverse) {
  const FindCase cases[] = {
      // empty search: 1 in any non-empty region
      {"abc", "", kNo, false, 1, 1},
      {"abc", "", 3, false, 1, 1},
      {"abc", "", 4, false, -1, 1},
      {"abc", "", 1, false, 1, -1},
      {"", "", kNo, false, -1, -1},
      // start 0 or negative searches from byte 1; beyond the end gives -1
      {"abcabc", "c", 0, false, 3, -1},
      {"abcabc", "c", -5, false, 3, -1},
      {"abcabc", "c", 4, false, 6, 3},
      {"abcabc", "c", 7, false, -1, 6},
      {"abcabc", "c", 1000, false, -1, 6},
      {"abcabc", "bc", 6, false, -1, 2},  // reverse: must lie wholly before start
      {"abcabc", "bc", kNo, false, 2, 5},
      {"aaaa", "aa", kNo, false, 1, 3},  // overlapping occurrences count
      // a match never begins on a second byte
      {"\x81\x41", "A", kNo, false, -1, -1},
      {"\x81\x41"
       "A",
       "A", kNo, false, 3, 3},
      {"\x81"
       "ab",
       "ab", kNo, false, -1, -1},
      {"\x81"
       "ab",
       "b", kNo, false, 3, 3},
      {"\xB0\xA1\xB0\xA1", "\xA1\xB0", kNo, false, -1, -1},
      {"\xB0\xB0\xA1\xB0", "\xB0\xA1", kNo, false, -1, -1},
      {"\xB0\xB0\xB0\xB0x\xB0", "\xB0x", kNo, false, -1, -1},
      {"\xB0\xB0\xB0x\xB0", "\xB0x", kNo, false, 3, 3},
      // a given start counts as a character start, even inside a character
      {"\x81\x41", "A", 2, false, 2, -1},
      // a lone lead byte at the end is truncated and ends the scan
      {"ab\x81", "\x81", kNo, false, -1, -1},
      {"\x81"
       "a\x81",
       "a", kNo, false, -1, -1},
      {"\x81"
       "a\x81",
       "\x81", kNo, false, 1, 1},
      {"\x81\x81\x81", "\x81", kNo, false, 1, 1},
      // case folding on every compared byte, second bytes included
      {"xHeLLo", "hello", kNo, true, 2, 2},
      {"xHeLLo", "hello", kNo, false, -1, -1},
      {"\x81\x61", "\x81\x41", kNo, true, 1, 1},
      {"\x81\x61", "\x81\x41", kNo, false, -1, -1},
      {"[\x81", "{\x81", kNo, true, -1, -1},  // only letters fold
      {Gbk("今天天气天气"), Gbk("天气"), kNo, false, 5, 9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text) + " / " + testing::PrintToString(c.search) +
                 " start " + (c.start ? std::to_string(*c.start) : "none"));
    EXPECT_EQ(FindText(c.text, c.search, c.start, c.ignoreCase), c.forward);
    EXPECT_EQ(FindTextReverse(c.text, c.search, c.start, c.ignoreCase), c.reverse);
  }
}

TEST(TextCase, ChangesOnlyOneByteLetters) {
  EXPECT_EQ(ToUpper("abc\x81\x61xyz"), "ABC\x81\x61XYZ");
  EXPECT_EQ(ToLower("ABC\x81\x41Z"), "abc\x81\x41z");
  EXPECT_EQ(ToUpper("a\x81"), "A\x81");
  EXPECT_EQ(ToUpper("a1[`{@z"), "A1[`{@Z");
  EXPECT_EQ(ToLower("A1[`{@Z"), "a1[`{@z");
  EXPECT_EQ(ToUpper(""), "");
}

TEST(TextNumber, ReadsLeadingInteger) {
  const std::pair<Text, int> cases[] = {
      {"123", 123},
      {"  -42abc", -42},
      {"+7", 7},
      {"\t\n\v\f\r 5", 5},
      {"abc12", 0},
      {"", 0},
      {"- 5", 0},
      {"--5", 0},
      {"1 2", 1},
      {"12\xB0\xA1"
       "3",
       12},
      {"7\x81", 7},
      {Gbk("１２３"), 123},
      {Gbk("－１２"), -12},
      {Gbk("＋８"), 8},
      {Gbk("　７"), 7},    // full-width space is white space
      {Gbk("1２3"), 123},  // mixed widths
      {"\xA3\x31"
       "5",
       0},  // 0xA3 with a second byte outside A1..FE is no digit
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
      {"2147483648", INT_MIN},  // wraps in 32 bits
      {"4294967297", 1},
      {"99999999999999999999", 1661992959},  // (10^20 - 1) mod 2^32
  };
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(TextToInt(text), value) << testing::PrintToString(text);
  }
}

TEST(TextTrim, HalfAndFullWidthSpaces) {
  const Text wide = "\xA1\xA1";
  const std::pair<Text, Text> cases[] = {
      {" a b ", "a b"},
      {wide + "a" + wide + " " + wide, "a"},
      {"\ta ", "\ta"},  // a tab is no blank
      {"a\r\n", "a\r\n"},
      {"   ", ""},
      {wide + wide, ""},
      {"", ""},
      {"a \x81", "a "},                // truncated character goes, the blank before it stays
      {"a\xB0\xA1\xA1", "a\xB0\xA1"},  // A1 A1 across a character boundary is no space
      {"\xB0\xA1\xA1\xB0", "\xB0\xA1\xA1\xB0"},
      {" \xA1", ""},
      {Gbk("　天气 "), Gbk("天气")},
  };
  for (const auto& [text, trimmed] : cases) {
    EXPECT_EQ(TrimText(text), trimmed) << testing::PrintToString(text);
  }
}

struct ReplaceCase {
  Text text, search, replacement;
  std::optional<int> start, count;
  bool caseSensitive;
  Text result;
};

TEST(TextReplace, OccurrencesByCharacter) {
  const ReplaceCase cases[] = {
      {"a\"b\"", "\"", "'", kNo, kNo, true, "a'b'"},
      {"a b  c ", " ", "", kNo, kNo, true, "abc"},
      {"abc", "", "x", kNo, kNo, true, "abc"},
      {"", "a", "x", kNo, kNo, true, ""},
      {"aXbXc", "X", "-", kNo, 1, true, "a-bXc"},
      {"aXbXc", "X", "-", kNo, 0, true, "aXbXc"},
      {"aXbXc", "X", "-", kNo, -1, true, "a-b-c"},
      {"XaXbX", "X", "-", 3, kNo, true, "Xa-b-"},
      {"XaXbX", "X", "-", 0, kNo, true, "-a-b-"},
      {"XaXbX", "X", "-", 6, kNo, true, "XaXbX"},
      {"aXbx", "x", "-", kNo, kNo, false, "a-b-"},
      {"aXbx", "x", "-", kNo, kNo, true, "aXb-"},
      {"aa", "a", "aa", kNo, kNo, true, "aaaa"},
      {"aaa", "aa", "b", kNo, kNo, true, "ba"},
      {"\x81\x41"
       "A",
       "A", "z", kNo, kNo, true, "\x81\x41z"},
      {"\xB0\xA1\xB0\xA1", "\xA1\xB0", "X", kNo, kNo, true, "\xB0\xA1\xB0\xA1"},
      // a truncated character met by the scan is dropped; one past the scan's reach stays
      {"ab\x81", "b", "c", kNo, kNo, true, "ac"},
      {"ab\x81", "q", "c", kNo, kNo, true, "ab"},
      {"ab\x81", "bb", "c", kNo, kNo, true, "ab\x81"},
      {"ab\x81", "b", "c", kNo, 1, true, "ac\x81"},  // limit reached: the rest unchanged
      // a match may end on a lead byte; the scan resumes after it, pairing from there
      {"\xB0\xA1\xB0x", "\xB0", "-", kNo, kNo, true, "-\xA1\xB0x"},
      {Gbk("天气 好"), " ", "", kNo, kNo, true, Gbk("天气好")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReplaceText(c.text, c.search, c.replacement, c.start, c.count, c.caseSensitive),
              c.result)
        << testing::PrintToString(c.text) << " " << testing::PrintToString(c.search);
  }
  EXPECT_EQ(ReplaceText("a-b", "-", "+", true), "a+b");  // short form
}

struct SplitCase {
  Text text, separator;
  std::optional<int> maxParts;
  TextArray parts;
};

TEST(TextSplit, PiecesAndLimits) {
  const SplitCase cases[] = {
      {",a,,b", ",", kNo, {"", "a", "", "b"}},
      {",a,,b,", ",", kNo, {"", "a", "", "b"}},  // no empty last element
      {"a,,", ",", kNo, {"a", ""}},
      {"", ",", kNo, {}},
      {"abc", ",", kNo, {"abc"}},
      {"abc", "", kNo, {"abc"}},
      {"a,b,c", ",", 2, {"a", "b"}},  // the rest is dropped
      {"a,b,c", ",", 1, {"a"}},
      {"a,b,c", ",", 0, {}},
      {"a,b,c", ",", -1, {}},
      {"a,b", ",", 5, {"a", "b"}},
      {"3~-5", "~", kNo, {"3", "-5"}},
      {"a::b:::c", "::", kNo, {"a", "b", ":c"}},
      {"\x81,,y", ",", kNo, {"\x81,", "y"}},  // the first comma is a second byte
      {"a,\x81", ",", kNo, {"a", "\x81"}},
      {"a\x81", "\x81", kNo, {"a\x81"}},  // truncated: no separator there
      {Gbk("晴，多云，"), Gbk("，"), kNo, {Gbk("晴"), Gbk("多云")}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitText(c.text, c.separator, c.maxParts), c.parts)
        << testing::PrintToString(c.text);
  }
  EXPECT_EQ(SplitText("a,b"), (TextArray{"a", "b"}));  // default separator
}

TEST(TextMarkers, Between) {
  EXPECT_EQ(TextBetween("<b>x</b>", "<b>", "</b>"), "x");
  EXPECT_EQ(TextBetween("<b></b>", "<b>", "</b>"), "");
  EXPECT_EQ(TextBetween("</b><b>x", "<b>", "</b>"), "");  // end marker only before
  EXPECT_EQ(TextBetween("x</b>", "<b>", "</b>"), "");
  EXPECT_EQ(TextBetween("[a][b]", "[", "]"), "a");  // the first start marker counts
  EXPECT_EQ(TextBetween("[a][b]", "[", "]", 3), "b");
  EXPECT_EQ(TextBetween("[a]", "[", ""), "");
  EXPECT_EQ(TextBetween("abc", "", "c"), "ab");
  EXPECT_EQ(TextBetween("<B>x</b>", "<b>", "</B>", kNo, true), "x");
  EXPECT_EQ(TextBetween("<B>x</b>", "<b>", "</B>"), "");
  // "#引号" stands for a double quote in both markers, every occurrence.
  EXPECT_EQ(TextBetween("a=\"v\";", Gbk("a=#引号"), Gbk("#引号;")), "v");
  EXPECT_EQ(TextBetween("<\"x\">y<", Gbk("<#引号x#引号>"), "<"), "y");
  EXPECT_EQ(TextBetween(Gbk("a#引号b#引号"), Gbk("a#引号"), Gbk("#引号")), "");
  EXPECT_EQ(TextBetween(Gbk("温度：3℃"), Gbk("："), Gbk("℃")), "3");
}

TEST(TextMarkers, Before) {
  EXPECT_EQ(TextBefore("key=value", "="), "key");
  EXPECT_EQ(TextBefore("=v", "="), "");
  EXPECT_EQ(TextBefore("abc", "="), "");
  EXPECT_EQ(TextBefore("a=b=c", "=", 3), "a=b");
  EXPECT_EQ(TextBefore("a=b=c", "=", -1), "a=b");
  EXPECT_EQ(TextBefore("a=b=c", "=", -2), "a");
  EXPECT_EQ(TextBefore("a=b==", "=", -1), "a=b=");
  EXPECT_EQ(TextBefore("a=b", "=", INT_MIN), "");
  EXPECT_EQ(TextBefore("a=B", "b", 0, true), "a=");
}

TEST(TextValues, ArrayAccess) {
  TextArray array = SplitText("a,b", ",");
  EXPECT_EQ(ElementAt(array, 0), "");
  EXPECT_EQ(ElementAt(array, 3), "");
  EXPECT_EQ(ElementAt(array, 2), "b");
  AppendElement(array, Text());
  EXPECT_EQ(ElementCount(array), 3);
  EXPECT_EQ(ElementAt(array, 3), "");
  TextArray copy = array;
  copy[0] = "changed";
  EXPECT_EQ(ElementAt(array, 1), "a");
}

}  // namespace
}  // namespace dw
