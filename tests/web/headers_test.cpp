// Request header block: name tidying, agent choice, default headers and the Cookie line.
#include <gtest/gtest.h>

#include "web/headers.h"

namespace dw::web {
namespace {

TEST(NormalizeHeaderBlock, TableOfCases) {
  const struct {
    const char* block;
    const char* normalized;
  } cases[] = {
      {"user-agent: MyAgent/1.0", "User-Agent: MyAgent/1.0"},
      {"ACCEPT-language: en", "ACCEPT-Language: en"},
      {"x-y--: v", "X-Y--: v"},
      {"a-b-c: d\r\nnocolon\r\n\r\n:x\r\ncontent-type:text", "A-B-C: d\r\n:x\r\nContent-Type:text"},
      {"accept: text/html-x-y", "Accept: text/html-x-y"},  // the value is not touched
      {"nocolon\r\n\r\n", ""},
      {"", ""},
      {"a: 1\r\n", "A: 1"},
      // A dash right after a two-byte character: the scan steps over the pair.
      {"\xB0-a: 1", "\xB0-a: 1"},
      {"\xB0\xA1-a: 1", "\xB0\xA1-A: 1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.block);
    EXPECT_EQ(NormalizeHeaderBlock(c.block), c.normalized);
  }
}

TEST(HeaderHelpers, CapitalizeFirstAndTextAfterColon) {
  EXPECT_EQ(CapitalizeFirst("abc"), "Abc");
  EXPECT_EQ(CapitalizeFirst("Abc"), "Abc");
  EXPECT_EQ(CapitalizeFirst("1bc"), "1bc");
  EXPECT_EQ(CapitalizeFirst(""), "");
  EXPECT_EQ(TextAfterColon("a:  b c  "), "b c");
  EXPECT_EQ(TextAfterColon("a: b: c"), "b: c");
  EXPECT_EQ(TextAfterColon("abc"), "");
  EXPECT_EQ(TextAfterColon("a:"), "");
}

TEST(ChooseUserAgent, TableOfCases) {
  const struct {
    const char* block;
    const char* agent;
  } cases[] = {
      {"User-Agent: MyAgent/1.0", "MyAgent/1.0"},
      {"Accept: a\r\nUser-Agent:  X 1 \r\nReferer: r", "X 1"},
      {"user-agent: MyAgent/1.0", "MyAgent/1.0"},  // through the text after the colon
      {"Accept: a\r\nuser-agent: X", "a\r\nuser-agent: X"},
      {"User-Agent:", ""},
      {"Accept: */*", kDefaultUserAgent},
      {"", kDefaultUserAgent},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.block);
    EXPECT_EQ(ChooseUserAgent(c.block), c.agent);
  }
}

TEST(CompleteHeaderBlock, DefaultsAndCookieLine) {
  const Text url = "https://a.test/x";
  const Text empty, cookies = "a=1", cookieLine = "Cookie: a=1", lowerLine = "cookie: a=1";
  const struct {
    const char* block;
    int method;
    bool complete;
    const Text* sendCookies;
    const char* result;
  } cases[] = {
      {"", 0, true, nullptr, "Accept: */*\r\nReferer: https://a.test/x\r\nAccept-Language: zh-cn"},
      {"Accept-Language: en", 1, true, nullptr,
       "Accept-Language: en\r\nAccept: */*\r\nReferer: https://a.test/x\r\n"
       "Content-Type: application/x-www-form-urlencoded"},
      {"Accept: text/html", 0, true, nullptr,
       "Accept: text/html\r\nReferer: https://a.test/x\r\nAccept-Language: zh-cn"},
      // Found anywhere, as a substring, ignoring case.
      {"X-Referer: y\r\naccept: z\r\naccept-language: q", 0, true, nullptr,
       "X-Referer: y\r\naccept: z\r\naccept-language: q"},
      {"Accept: a", 3, true, nullptr,
       "Accept: a\r\nReferer: https://a.test/x\r\nAccept-Language: zh-cn"},
      {"", 0, false, &cookies, "\r\nCookie: a=1"},
      {"", 0, false, &empty, ""},
      {"", 0, false, nullptr, ""},
      {"A: b", 0, false, &cookieLine, "A: b\r\nCookie: a=1"},
      {"A: b", 0, false, &lowerLine, "A: b\r\nCookie: cookie: a=1"},
      {"A: b", 1, false, nullptr, "A: b"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.block) + " method " + std::to_string(c.method));
    EXPECT_EQ(CompleteHeaderBlock(c.block, url, c.method, c.complete, c.sendCookies), c.result);
  }
}

}  // namespace
}  // namespace dw::web
