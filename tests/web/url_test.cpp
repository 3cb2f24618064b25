// URL dissection: host (both forms and all options), port and path.
#include <gtest/gtest.h>

#include "web/url.h"

namespace dw::web {
namespace {

struct HostCase {
  const char* url;
  bool mainDomainOnly;
  bool keepPort;
  std::optional<int> levels;
  const char* host;
};

TEST(UrlHost, TableOfCases) {
  const HostCase cases[] = {
      {"https://Sub.Host.Test:8443/a/b?c", false, false, {}, "sub.host.test"},
      {"https://Sub.Host.Test:8443/a/b?c", false, true, {}, "sub.host.test:8443"},
      {"https://Sub.Host.Test:8443/a/b?c", true, false, {}, "host.test"},
      {"https://Sub.Host.Test:8443/a/b?c", true, true, {}, "host.test:8443"},
      {"https://a.test/x", false, false, {}, "a.test"},
      {"http://a.test:8080/x", false, false, {}, "a.test"},
      {"HTTPS://A.TEST", false, false, {}, "a.test"},
      {"a.test", false, false, {}, "a.test"},
      {"https://a.test?x=1", false, false, {}, "a.test?x=1"},
      {"https://a.test#top", false, false, {}, "a.test#top"},
      {"ftp://x/", false, false, {}, "ftp"},
      {"", false, false, {}, ""},
      {"https://localhost/", true, false, {}, "localhost"},
      // "http://" anywhere counts as the scheme; the host follows its first occurrence.
      {"see http://b.test/x", false, false, {}, "b.test"},
      // The second byte of a two-byte character is not lowered.
      {"http://\x81"
       "AB.TEST/",
       false,
       false,
       {},
       "\x81"
       "Ab.test"},
      // The dot-counting form keeps the port until the very end.
      {"http://a.b.host.test/", false, false, 0, "host.test"},
      {"http://a.b.host.test/", true, false, 0, "test"},
      {"http://a.b.host.test/", false, false, 1, "b.host.test"},
      {"http://a.b.host.test/", true, false, 1, "host.test"},
      {"http://a.b.host.test/", false, false, 2, "a.b.host.test"},
      {"http://a.b.host.test/", true, false, 2, "b.host.test"},
      {"http://a.b.host.test/", false, false, 3, "a.b.host.test"},
      {"http://a.b.host.test/", true, false, 3, "a.b.host.test"},
      {"http://a.b.host.test/", false, false, -4, "host.test"},
      {"http://a.b.host.test/", false, false, 2147483647, "a.b.host.test"},
      {"sub.host.test:8080/x", false, false, 0, "host.test"},
      {"sub.host.test:8080/x", false, true, 0, "host.test:8080"},
      {"https://x.y.z/", false, false, 0, "y.z"},
      {"", true, false, 0, ""},
  };
  for (const HostCase& c : cases) {
    SCOPED_TRACE(std::string(c.url) + " levels " +
                 (c.levels ? std::to_string(*c.levels) : "omitted"));
    EXPECT_EQ(UrlHost(c.url, c.mainDomainOnly, c.keepPort, c.levels), c.host);
  }
}

TEST(UrlPortAndPath, TableOfCases) {
  const struct {
    const char* url;
    int port;
    const char* path;
  } cases[] = {
      {"https://Sub.Host.Test:8443/a/b?c", 8443, "/a/b?c"},
      {"https://a.test/x", 443, "/x"},
      {"http://a.test:8080/x", 8080, "/x"},
      {"HTTPS://A.TEST", 443, "/"},
      {"a.test", 80, "/"},
      {"https://a.test?x=1", 443, "/"},
      {"https://A.test:8080/p?q", 8080, "/p?q"},
      {"https://a.test/P/Q?Wd=%E5", 443, "/P/Q?Wd=%E5"},
      {"ftp://x/", 0, "//x/"},  // the host with its port is "ftp:"
      {"", 80, "/"},
      {"http://a.test:x/", 0, "/"},
      {"https://a.test:/", 0, "/"},
      {"http://a.test:99999/", 99999, "/"},
      {"https://www.baidu.com/s?wd=%E5%A4%A9%E6%B0%94&ie=UTF-8", 443,
       "/s?wd=%E5%A4%A9%E6%B0%94&ie=UTF-8"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.url);
    EXPECT_EQ(UrlPort(c.url), c.port);
    EXPECT_EQ(UrlPath(c.url), c.path);
  }
}

}  // namespace
}  // namespace dw::web
