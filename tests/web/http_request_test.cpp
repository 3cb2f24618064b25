// HttpRequest over a recording fake of the inet operations: which operation gets which
// arguments in which order, what goes out, what comes back, and the closing on every path.
#include <gtest/gtest.h>

#include "support/recording_inet.h"
#include "web/headers.h"
#include "web/http_request.h"

namespace dw::web {
namespace {

using test::RecordingInet;

const char kPageUrl[] = "https://www.baidu.com/s?wd=%E5%A4%A9%E6%B0%94&ie=UTF-8";
const char kPageAccept[] =
    "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,image/avif,image/webp,"
    "image/apng,*/*;q=0.8,application/signed-exchange;v=b3;q=0.9";

Text Flags(std::uint32_t flags) {
  return RecordingInet::Hex(flags);
}

TEST(HttpRequest, WeatherPageRequestDrivesTheOperationsInOrder) {
  RecordingInet inet;
  inet.body = std::string(2500, 'p');
  inet.headers = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n";
  Text received = "stale", headers = "stale";
  const ByteSet body =
      HttpRequest(inet, kPageUrl, 0, Text(), nullptr, &received, kPageAccept, &headers);

  const Text sent =
      std::string(kPageAccept) + "\r\nReferer: " + kPageUrl + "\r\nAccept-Language: zh-cn";
  const std::vector<std::string> expected = {
      "Open [Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)] 1 null null 0x0",
      "Connect 101 [www.baidu.com] 443 null null 3 0x0 0",
      "OpenRequest 202 [GET] [/s?wd=%E5%A4%A9%E6%B0%94&ie=UTF-8] [HTTP/1.1] null null " +
          Flags(0x80000000 | 0x10 | 0x800000) + " 0",
      "SetOption 303 31 127872 4",
      "SendRequest 303 " + std::to_string(sent.size()) + " 0",
      "ReadFile 303 1024",
      "ReadFile 303 1024",
      "ReadFile 303 1024",
      "ReadFile 303 1024",
      "QueryInfo 303 22 5000 null",
      "Close 303",
      "Close 202",
      "Close 101",
  };
  EXPECT_EQ(inet.calls, expected);
  EXPECT_EQ(inet.sentHeaders, sent);
  EXPECT_FALSE(inet.sentBodyPointer);
  EXPECT_EQ(body, ByteSet(2500, 'p'));
  EXPECT_EQ(headers, inet.headers);
  EXPECT_EQ(received, "");
}

TEST(HttpRequest, IconRequestSendsTheThreeDefaultLines) {
  RecordingInet inet;
  const Text url = "http://img.test/w/icon.png";
  HttpRequest(inet, url);
  EXPECT_EQ(inet.sentHeaders,
            "Accept: */*\r\nReferer: http://img.test/w/icon.png\r\nAccept-Language: zh-cn");
  EXPECT_EQ(inet.CallsOf("Connect")[0], "Connect 101 [img.test] 80 null null 3 0x0 0");
  EXPECT_EQ(inet.CallsOf("OpenRequest")[0],
            "OpenRequest 202 [GET] [/w/icon.png] [HTTP/1.1] null null " +
                Flags(0x80000000 | 0x10 | 0x4000) + " 0");
}

TEST(HttpRequest, MethodIndexChoosesVerbBodyAndContentType) {
  const struct {
    int method;
    const char* verb;
    bool body;
    bool contentType;
  } cases[] = {
      {0, "GET", false, false},  {1, "POST", true, true},     {2, "HEAD", true, false},
      {3, "PUT", true, false},   {4, "OPTIONS", true, false}, {5, "DELETE", true, false},
      {6, "TRACE", true, false}, {7, "CONNECT", true, false}, {8, "GET", false, false},
      {-1, "GET", false, false}, {1000, "GET", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.method);
    RecordingInet inet;
    HttpRequest(inet, "http://a.test/", c.method, "a=1");
    EXPECT_NE(inet.CallsOf("OpenRequest")[0].find(std::string("[") + c.verb + "]"),
              std::string::npos);
    EXPECT_EQ(inet.sentBody, c.body ? ByteSet({'a', '=', '1'}) : ByteSet());
    EXPECT_EQ(inet.sentHeaders.find("Content-Type: application/x-www-form-urlencoded") !=
                  std::string::npos,
              c.contentType);
  }
}

TEST(HttpRequest, BodyTextFillsEmptyBodyBytesOnlyForNonGet) {
  {  // GET: no body, the caller's bytes untouched.
    RecordingInet inet;
    ByteSet bytes = {'z'};
    HttpRequest(inet, "http://a.test/", 0, "a=1", nullptr, nullptr, "", nullptr, false, &bytes);
    EXPECT_TRUE(inet.sentBody.empty());
    EXPECT_FALSE(inet.sentBodyPointer);
    EXPECT_EQ(bytes, ByteSet{'z'});
  }
  {  // POST, empty bytes: the text's three bytes go out and stay in the caller's bytes.
    RecordingInet inet;
    ByteSet bytes;
    HttpRequest(inet, "http://a.test/", 1, "a=1", nullptr, nullptr, "", nullptr, false, &bytes);
    EXPECT_EQ(inet.sentBody, (ByteSet{'a', '=', '1'}));
    EXPECT_EQ(inet.CallsOf("SendRequest")[0].substr(inet.CallsOf("SendRequest")[0].size() - 2),
              " 3");
    EXPECT_EQ(bytes, (ByteSet{'a', '=', '1'}));
  }
  {  // POST with bytes: they win over the text.
    RecordingInet inet;
    ByteSet bytes = {0, 1, 2, 0};
    HttpRequest(inet, "http://a.test/", 1, "a=1", nullptr, nullptr, "", nullptr, false, &bytes);
    EXPECT_EQ(inet.sentBody, (ByteSet{0, 1, 2, 0}));
    EXPECT_EQ(bytes, (ByteSet{0, 1, 2, 0}));
  }
  {  // POST with nothing at all: no body address.
    RecordingInet inet;
    HttpRequest(inet, "http://a.test/", 1);
    EXPECT_FALSE(inet.sentBodyPointer);
    EXPECT_EQ(inet.CallsOf("SendRequest")[0].back(), '0');
  }
}

TEST(HttpRequest, FlagWordAndProxyText) {
  const Text empty;
  const struct {
    const char* url;
    const Text* cookies;
    bool noRedirect;
    const char* proxy;
    std::uint32_t flags;
    const char* open;
  } cases[] = {
      {"HTTPS://A.TEST/", nullptr, false, "", 0x80800010,
       "Open [Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)] 1 null null 0x0"},
      {"http://a.test/", &empty, true, "", 0x80284010,
       "Open [Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)] 1 null null 0x0"},
      {"http://a.test/", nullptr, false, "10.0.0.1:8080", 0x80004010,
       "Open [Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)] 3 [http=10.0.0.1:8080] [] 0x0"},
      {"https://a.test/", &empty, true, "10.0.0.1:8080", 0x80A80010,
       "Open [Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)] 3 [10.0.0.1:8080] [] 0x0"},
      {"httpsx", nullptr, false, "", 0x80004010,
       "Open [Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)] 1 null null 0x0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.url);
    RecordingInet inet;
    Text cookies = c.cookies ? *c.cookies : Text();
    HttpRequest(inet, c.url, 0, "", c.cookies ? &cookies : nullptr, nullptr, "", nullptr,
                c.noRedirect, nullptr, c.proxy);
    EXPECT_EQ(inet.calls[0], c.open);
    const std::string openRequest = inet.CallsOf("OpenRequest")[0];
    EXPECT_NE(openRequest.find(" " + Flags(c.flags) + " "), std::string::npos) << openRequest;
  }
}

TEST(HttpRequest, EveryOpenedHandleIsClosedNewestFirstOnEveryPath) {
  const struct {
    bool failOpen, failConnect, failRequest, failSend;
    std::vector<std::string> tail;  // the calls after the last opening one
  } cases[] = {
      {true, false, false, false, {}},
      {false, true, false, false, {"Close 101"}},
      {false, false, true, false, {"Close 202", "Close 101"}},
      {false,
       false,
       false,
       true,
       {"ReadFile 303 1024", "QueryInfo 303 22 5000 null", "Close 303", "Close 202", "Close 101"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.failOpen << c.failConnect << c.failRequest << c.failSend);
    RecordingInet inet;
    inet.failOpen = c.failOpen;
    inet.failConnect = c.failConnect;
    inet.failRequest = c.failRequest;
    inet.failSend = c.failSend;
    inet.body = "never";
    inet.headers = "HTTP/1.1 200 OK\r\nSet-Cookie: a=1\r\n";
    Text cookies = "x=1", received = "kept", headers = "kept";
    ByteSet bytes;
    const ByteSet body = HttpRequest(inet, "https://a.test/", 1, "b=2", &cookies, &received, "",
                                     &headers, false, &bytes);
    EXPECT_TRUE(body.empty());
    const std::vector<std::string> tail(inet.calls.end() - static_cast<long>(c.tail.size()),
                                        inet.calls.end());
    EXPECT_EQ(tail, c.tail);
    if (c.failSend) {
      // The exchange failed but the request existed: outputs are written from nothing.
      EXPECT_EQ(headers, Text(5000, ' '));
      EXPECT_EQ(received, "x=1");  // the merge of nothing into the kept cookies
      EXPECT_EQ(cookies, "x=1");
      EXPECT_EQ(bytes, (ByteSet{'b', '=', '2'}));
    } else {
      EXPECT_EQ(headers, "kept");
      EXPECT_EQ(received, "kept");
      EXPECT_EQ(cookies, "x=1");
      EXPECT_TRUE(bytes.empty());
    }
  }
}

TEST(HttpRequest, FailedSendWithoutCookiesGivesBlankHeadersAndNoCookies) {
  RecordingInet inet;
  inet.failSend = true;
  Text received = "kept", headers = "kept";
  EXPECT_TRUE(HttpRequest(inet, "http://a.test/", 0, "", nullptr, &received, "", &headers).empty());
  EXPECT_EQ(headers, Text(5000, ' '));
  EXPECT_EQ(received, "");
}

TEST(HttpRequest, ReceivedCookiesCollectedAndMergedIntoTheCallersText) {
  const char kHeaders[] =
      "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\nset-cookie: c=3\r\n";
  {  // No cookies supplied: collected only; the platform keeps its own.
    RecordingInet inet;
    inet.headers = kHeaders;
    Text received;
    HttpRequest(inet, "http://a.test/", 0, "", nullptr, &received);
    EXPECT_EQ(received, "a=1; b=2");
    EXPECT_EQ(inet.sentHeaders.find("Cookie"), std::string::npos);
  }
  {  // Supplied: sent as a Cookie line, and both texts end up merged.
    RecordingInet inet;
    inet.headers = kHeaders;
    Text cookies = "b=9; x=1", received;
    HttpRequest(inet, "http://a.test/", 0, "", &cookies, &received);
    EXPECT_NE(inet.sentHeaders.find("\r\nCookie: b=9; x=1"), std::string::npos);
    EXPECT_EQ(received, "a=1; b=2; x=1");
    EXPECT_EQ(cookies, "a=1; b=2; x=1");
  }
  {  // Supplied empty: no Cookie line, the merge starts from nothing.
    RecordingInet inet;
    inet.headers = kHeaders;
    Text cookies, received;
    HttpRequest(inet, "http://a.test/", 0, "", &cookies, &received);
    EXPECT_EQ(inet.sentHeaders.find("Cookie"), std::string::npos);
    EXPECT_EQ(cookies, "a=1; b=2");
  }
  {  // Merging switched off: the caller's text stays.
    RecordingInet inet;
    inet.headers = kHeaders;
    Text cookies = "x=1", received;
    HttpRequest(inet, "http://a.test/", 0, "", &cookies, &received, "", nullptr, false, nullptr, "",
                false);
    EXPECT_EQ(received, "a=1; b=2");
    EXPECT_EQ(cookies, "x=1");
  }
}

TEST(HttpRequest, HeaderBlockTooBigForTheBufferLeavesBlankHeaders) {
  RecordingInet inet;
  inet.headers = "HTTP/1.1 200 OK\r\nSet-Cookie: a=1\r\nX: " + std::string(5000, 'v') + "\r\n";
  Text headers, received;
  HttpRequest(inet, "http://a.test/", 0, "", nullptr, &received, "", &headers);
  EXPECT_EQ(headers, Text(5000, ' '));
  EXPECT_EQ(received, "");
  // 4999 bytes fit with their NUL.
  inet = RecordingInet();
  inet.headers = std::string(4999, 'h');
  HttpRequest(inet, "http://a.test/", 0, "", nullptr, nullptr, "", &headers);
  EXPECT_EQ(headers, std::string(4999, 'h'));
}

TEST(HttpRequest, HeaderSwitchesAndAgent) {
  {  // Normalised, agent from the block, line still sent.
    RecordingInet inet;
    HttpRequest(inet, "http://a.test/", 0, "", nullptr, nullptr, "user-agent: MyAgent/1.0");
    EXPECT_EQ(inet.calls[0], "Open [MyAgent/1.0] 1 null null 0x0");
    EXPECT_EQ(inet.sentHeaders.rfind("User-Agent: MyAgent/1.0\r\nAccept: */*", 0), 0u);
  }
  {  // Neither normalised nor completed: the block goes out as given.
    RecordingInet inet;
    HttpRequest(inet, "http://a.test/", 1, "", nullptr, nullptr, "x-a: 1\r\nbad", nullptr, false,
                nullptr, "", true, false, false);
    EXPECT_EQ(inet.sentHeaders, "x-a: 1\r\nbad");
  }
}

TEST(HttpRequest, EmptyUrlDissectsToEmptyHostPort80AndRoot) {
  RecordingInet inet;
  inet.failConnect = true;  // as a real backend does for an empty host
  EXPECT_TRUE(HttpRequest(inet, "").empty());
  EXPECT_EQ(inet.calls[1], "Connect 101 [] 80 null null 3 0x0 0");
}

}  // namespace
}  // namespace dw::web
