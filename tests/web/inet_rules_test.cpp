// The libcurl backend's own rules: which header lines reach curl, which proxy a request
// takes, which URL and hosts it accepts.
#include <gtest/gtest.h>

#include "platform/inet/exchange.h"
#include "platform/inet/header_lines.h"
#include "platform/inet/proxy_list.h"

namespace dw::platform::inet {
namespace {

TEST(CurlHeaderLines, BlockLinesInOrderAndCurlDefaultsSuppressed) {
  const struct {
    const char* block;
    std::vector<std::string> lines;
    bool userAgent;
  } cases[] = {
      {"Accept: */*\r\nReferer: r\r\nAccept-Language: zh-cn",
       {"Accept: */*", "Referer: r", "Accept-Language: zh-cn",
        "Expect:", "Content-Type:", "Proxy-Connection:"},
       false},
      {"", {"Accept:", "Expect:", "Content-Type:", "Proxy-Connection:"}, false},
      // Empty lines and lines without a name or colon cannot be headers.
      {"\r\nCookie: a=1\r\nbad\r\n: x\r\nsp ace: 1",
       {"Cookie: a=1", "Accept:", "Expect:", "Content-Type:", "Proxy-Connection:"},
       false},
      // A blank value is sent as an empty header, not taken as "remove".
      {"User-Agent:\r\nX:   ",
       {"User-Agent;", "X;", "Accept:", "Expect:", "Content-Type:", "Proxy-Connection:"},
       true},
      {"accept: a\r\nexpect: e\r\ncontent-type: t\r\nuser-agent: u",
       {"accept: a", "expect: e", "content-type: t", "user-agent: u", "Proxy-Connection:"},
       true},
      // A lone CR or LF inside a line would start a header of its own: the line goes.
      {"A: 1\nB: 2\r\nC: 3\r", {"Accept:", "Expect:", "Content-Type:", "Proxy-Connection:"}, false},
      {"X-Accept: 1",
       {"X-Accept: 1", "Accept:", "Expect:", "Content-Type:", "Proxy-Connection:"},
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.block);
    const HeaderLines result = CurlHeaderLines(c.block);
    EXPECT_EQ(result.lines, c.lines);
    EXPECT_EQ(result.hasUserAgent, c.userAgent);
  }
}

TEST(ProxyForScheme, SchemeEntriesAndCatchAll) {
  const struct {
    const char* list;
    const char* scheme;
    const char* proxy;
  } cases[] = {
      {"http=10.0.0.1:8080", "http", "10.0.0.1:8080"},
      {"http=10.0.0.1:8080", "https", ""},  // plain URLs only
      {"10.0.0.1:8080", "https", "10.0.0.1:8080"},
      {"10.0.0.1:8080", "http", "10.0.0.1:8080"},
      {"a:1 https=b:2", "https", "b:2"},
      {"https=b:2;a:1", "http", "a:1"},
      {"HTTP=c:3", "http", "c:3"},
      {"http=", "http", ""},
      {"", "http", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.list) + " for " + c.scheme);
    EXPECT_EQ(ProxyForScheme(c.list, c.scheme), c.proxy);
  }
}

TEST(ExchangeUrl, SchemeFromTheSecureFlagAndUnsafeBytesEncoded) {
  ExchangeRequest request;
  request.host = "a.test";
  request.port = 8443;
  request.secure = true;
  request.path = "/s?wd=%E5&x=a b\x01\xB0#f";
  EXPECT_EQ(ExchangeUrl(request), "https://a.test:8443/s?wd=%E5&x=a%20b%01%B0#f");
  request.secure = false;
  request.path.assign(1, '/');  // (a plain "/" trips a false -Wrestrict in GCC 12)
  request.port = 80;
  EXPECT_EQ(ExchangeUrl(request), "http://a.test:80/");
}

TEST(IsAcceptableHost, OnlyPlainHostNames) {
  EXPECT_TRUE(IsAcceptableHost("www.baidu.com"));
  EXPECT_TRUE(IsAcceptableHost("127.0.0.1"));
  EXPECT_TRUE(IsAcceptableHost("my_host-1"));
  for (const char* bad :
       {"", "user@evil.test", "a.test?x=1", "a b", "a/b", "\xB0\xA1.test", "[::1]", "a.test#x"})
    EXPECT_FALSE(IsAcceptableHost(bad)) << bad;
}

}  // namespace
}  // namespace dw::platform::inet
