// Cookie collection from response headers and merging into a kept cookie text.
#include <gtest/gtest.h>

#include "web/cookies.h"

namespace dw::web {
namespace {

TEST(MergeCookies, TableOfCases) {
  const struct {
    const char* existing;
    const char* incoming;
    const char* merged;
  } cases[] = {
      {"a=1; b=2", "b=3; c=4", "b=3; c=4; a=1"},
      {"a=1; b=2", "b=deleted", "a=1"},
      {"a=1;", "c=3;", "c=3; a=1"},
      {"", "x=1; x=1", "x=1"},
      {"", "x=1; x=2", "x=1; x=2"},
      {"", "", ""},
      {"A=1", "a=2", "a=2; A=1"},
      {"flag", "flag=1", "flag=1"},
      {"a=1; a=2", "", "a=1"},
      {"a=1;b=2", "b=5", "b=5; a=1;b=2"},
      {"a=1 ; b=2", "c=3", "c=3; a=1 ; b=2"},
      {"  a=1  ",
       "\xA1\xA1"
       "b=2",
       "b=2; a=1"},  // both ends trimmed, full-width too
      {"a=1", "a=deleted; a=deleted", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.existing) + " + " + c.incoming);
    Text existing = c.existing, incoming = c.incoming;
    EXPECT_EQ(MergeCookies(existing, incoming), c.merged);
    EXPECT_EQ(existing, c.merged);  // the caller's text is brought up to date
  }
}

TEST(MergeCookies, IncomingTextIsTrimmedInPlace) {
  Text existing = "a=1", incoming = "  c=3;";
  MergeCookies(existing, incoming);
  EXPECT_EQ(incoming, "c=3; ");
}

TEST(CookieHelpers, NamesListsAndDeduplication) {
  EXPECT_EQ(CookieName(" a =1"), "a");
  EXPECT_EQ(CookieName("flag "), "flag");
  EXPECT_EQ(CookieName("=v"), "");
  EXPECT_TRUE(CookieListHasName({"x=1", " a = 2"}, "a"));
  EXPECT_FALSE(CookieListHasName({"x=1", "A=2"}, "a"));
  EXPECT_FALSE(CookieListHasName({}, ""));
  EXPECT_EQ(FindInList({"a", "", "b", "b"}, "b"), 3);
  EXPECT_EQ(FindInList({"a", "", "b"}, ""), 2);
  EXPECT_EQ(FindInList({"a"}, "A"), -1);
  EXPECT_EQ(DeduplicateJoin("a; b; a; ; c; ", "; ", true), "a; b; ; c");
  EXPECT_EQ(DeduplicateJoin("abcab", "", false), "abc");
  EXPECT_EQ(DeduplicateJoin("abca", "-", false), "a-b-c");
  EXPECT_EQ(DeduplicateJoin("", "; ", true), "");
}

TEST(SplitCharacters, TwoByteCharactersAndLineEnds) {
  TextArray list = {"stale"};
  const Text text =
      "a\r\nb\xB0\xA1"
      "c\x80"
      "d\r";
  EXPECT_EQ(SplitCharacters(text, list), 8);
  const TextArray expected = {"a", "\r\n", "b", "\xB0\xA1", "c", "\x80", "d", "\r"};
  EXPECT_EQ(list, expected);
  EXPECT_EQ(SplitCharacters("x\xB0", list), 2);  // a lead byte at the end stands alone
  EXPECT_EQ(list, (TextArray{"x", "\xB0"}));
  EXPECT_EQ(SplitCharacters("", list), 0);
  EXPECT_TRUE(list.empty());
}

TEST(CollectSetCookies, TableOfCases) {
  const struct {
    const char* headers;
    const char* cookies;
  } cases[] = {
      {"HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\n"
       "set-cookie: c=3\r\n",
       "a=1; b=2"},
      {"HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n", ""},
      {"Set-Cookie: a=1\r\nSet-Cookie: a=1\r\n", "a=1; a=1"},
      {"Set-Cookie:a=1\r\n", ""},  // no ": " after the name
      {"Set-Cookie:  x = y ;Path=/;\r\n", "x = y"},
      // Without ";" every "Set-Cookie:" goes, in any case.
      {"Set-Cookie: v SET-COOKIE:w", "v w"},
      {"Set-Cookie: ;x\r\nSet-Cookie: b=2", "; b=2"},
      {"", ""},
      {"                    ", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.headers);
    EXPECT_EQ(CollectSetCookies(c.headers), c.cookies);
  }
}

}  // namespace
}  // namespace dw::web
