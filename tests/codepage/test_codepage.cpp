// UTF-8 -> GBK as the page decoding needs it, and GBK -> UTF-8 for drawing.
#include <gtest/gtest.h>

#include "platform/codepage.h"

namespace dw::platform {
namespace {

TEST(Utf8ToGbk, TableOfCases) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"abc ~-5<>'\"", "abc ~-5<>'\""},
      {"天气", "\xCC\xEC\xC6\xF8"},
      {"百度安全验证", "\xB0\xD9\xB6\xC8\xB0\xB2\xC8\xAB\xD1\xE9\xD6\xA4"},
      {"，：　", "\xA3\xAC\xA3\xBA\xA1\xA1"},  // full-width punctuation and space
      {"３℃", "\xA3\xB3\xA1\xE6"},
      {"°△▽", "\xA1\xE3\xA1\xF7\xA8\x8C"},
      {"€", "\x80"},  // the euro sign is the one-byte 0x80 of code page 936
      {"—·", "\xA1\xAA\xA1\xA4"},
      {"ü", "\xA8\xB9"},
      {"ß한\xEF\xBF\xBD", "???"},  // no GBK form: one "?" each (U+FFFD included)
      {"a😀b", "a??b"},             // beyond the BMP: two UTF-16 units, two "?"
      // malformed UTF-8: each maximal well-formed prefix or stray byte is one "?"
      {"a\x80"
       "b",
       "a?b"},
      {"\xBF\xBF", "??"},
      {"\xE5\xA4", "?"},
      {"\xE5\xA4x", "?x"},
      {"\xE5x\xA4", "?x?"},
      {"\xF0\x9F\x98", "?"},
      {"\xC0\x80", "??"},       // overlong NUL
      {"\xE0\x80\xAF", "???"},  // overlong "/"
      {"\xF0\x80\x80\xAF", "????"},
      {"\xED\xA0\x80\xED\xBF\xBF", "??????"},  // surrogates
      {"\xF4\x90\x80\x80", "????"},            // beyond U+10FFFF
      {"\xF8\x88\x80\x80\x80", "?????"},
      {"\xFE\xFF", "??"},
      {"\xE5\xA4\xA9\xE5", "\xCC\xEC?"},
  };
  for (const auto& [utf8, gbk] : cases) {
    EXPECT_EQ(Utf8ToGbk(std::string_view(utf8)), gbk) << testing::PrintToString(utf8);
    const ByteSet bytes(utf8.begin(), utf8.end());
    EXPECT_EQ(Utf8ToGbk(bytes), gbk) << testing::PrintToString(utf8);
  }
}

TEST(Utf8ToGbk, NulEndsTheText) {
  const ByteSet body{'a', 'b', 0, 'c', 'd'};
  EXPECT_EQ(Utf8ToGbk(body), "ab");
  EXPECT_EQ(Utf8ToGbk(ByteSet{0, 'x'}), "");
  EXPECT_EQ(Utf8ToGbk(ByteSet{0xE5, 0, 'x'}), "?");  // NUL inside a sequence ends it too
  // Long ASCII runs go through the eight-byte path: a NUL there must stop the text as well.
  std::string longText(40, 'x');
  longText[21] = '\0';
  EXPECT_EQ(Utf8ToGbk(std::string_view(longText)), std::string(21, 'x'));
}

TEST(Utf8ToGbk, GbkLiteralHelper) {
  EXPECT_EQ(Gbk("#引号"), "#\xD2\xFD\xBA\xC5");
  EXPECT_EQ(Gbk("天气↑"), "\xCC\xEC\xC6\xF8\xA1\xFC");
}

TEST(GbkToUtf8, TableOfCases) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"abc", "abc"},
      {"\xCC\xEC\xC6\xF8", "天气"},
      {"\x80", "€"},
      {"\xA1\xE3\xA1\xF7", "°△"},
      {"a\xB0", "a\xEF\xBF\xBD"},  // truncated character
      {"\xFF"
       "a",
       "\xEF\xBF\xBD"
       "a"},
  };
  for (const auto& [gbk, utf8] : cases) {
    EXPECT_EQ(GbkToUtf8(gbk), utf8) << testing::PrintToString(gbk);
  }
}

// Every two-byte GBK character the table knows converts to UTF-8 and back unchanged, and the
// table knows GBK's characters (all but the user-defined and private-use places, which the
// system code page maps to private-use code points that no page sends).
TEST(GbkToUtf8, TwoByteCharactersRoundTrip) {
  int mapped = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      const std::string gbk{static_cast<char>(lead), static_cast<char>(trail)};
      const std::string utf8 = GbkToUtf8(gbk);
      if (utf8 == "\xEF\xBF\xBD") continue;
      ++mapped;
      ASSERT_EQ(Utf8ToGbk(std::string_view(utf8)), gbk) << std::hex << lead << " " << trail;
    }
  }
  EXPECT_GE(mapped, 21700);
}

}  // namespace
}  // namespace dw::platform
