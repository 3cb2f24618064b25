#include "platform/inet/exchange.h"

#include <curl/curl.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <memory>

#include "platform/inet/cookie_store.h"
#include "platform/inet/header_lines.h"
#include "platform/inet/net_settings.h"
#include "platform/inet/proxy_list.h"

namespace dw::platform::inet {
namespace {

constexpr std::size_t kHeaderCap = std::size_t{256} << 10;
constexpr long kMaxRedirects = 10;
constexpr std::size_t kMaxPemBytes = std::size_t{4} << 20;

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct ListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;
using HeaderList = std::unique_ptr<curl_slist, ListDeleter>;

struct Sink {
  std::size_t bodyCap = 0;
  std::vector<std::uint8_t> body;
  std::string headers;
};

// Watches the bytes moved in either direction; an exchange that moves none for the stall
// time is given up.
struct StallWatch {
  std::chrono::steady_clock::duration limit;
  std::chrono::steady_clock::time_point lastMove = std::chrono::steady_clock::now();
  curl_off_t lastBytes = 0;
};

int OnProgress(void* user, curl_off_t downTotal, curl_off_t down, curl_off_t upTotal,
               curl_off_t up) {
  (void)downTotal;
  (void)upTotal;
  auto* watch = static_cast<StallWatch*>(user);
  const auto now = std::chrono::steady_clock::now();
  if (down + up != watch->lastBytes) {
    watch->lastBytes = down + up;
    watch->lastMove = now;
    return 0;
  }
  return now - watch->lastMove > watch->limit ? 1 : 0;
}

std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* user) {
  auto* sink = static_cast<Sink*>(user);
  const std::size_t n = size * count;
  if (n > sink->bodyCap - sink->body.size()) return 0;  // over the cap: abort the exchange
  sink->body.insert(sink->body.end(), data, data + n);
  return n;
}

std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* user) {
  auto* sink = static_cast<Sink*>(user);
  const std::size_t n = size * count;
  std::string line(data, n);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  // Every status line begins another response (redirects, 1xx): only the last one counts.
  if (line.compare(0, 5, "HTTP/") == 0) {
    sink->headers.clear();
    sink->body.clear();
  }
  if (line.empty()) return n;
  if (sink->headers.size() + line.size() + 2 > kHeaderCap) return 0;
  sink->headers += line + "\r\n";
  return n;
}

std::string ReadFileText(const std::string& path, std::size_t cap) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::string();
  std::string text(cap, '\0');
  in.read(text.data(), static_cast<std::streamsize>(cap));
  text.resize(static_cast<std::size_t>(in.gcount()));
  return text;
}

// Applies every option; false as soon as curl refuses one.
class Options {
 public:
  explicit Options(CURL* easy) : easy_(easy) {}
  template <typename T>
  Options& Set(CURLoption option, T value) {
    ok_ = ok_ && curl_easy_setopt(easy_, option, value) == CURLE_OK;
    return *this;
  }
  bool ok() const { return ok_; }

 private:
  CURL* easy_;
  bool ok_ = true;
};

// The system CA bundle and the extra PEM file together, so that both are trusted.
std::string TrustedCertificates(CURL* easy, const std::string& extraCaFile) {
  const std::string extra = ReadFileText(extraCaFile, kMaxPemBytes);
  if (extra.empty()) return std::string();
  std::string bundle;
  char* systemBundle = nullptr;
  if (curl_easy_getinfo(easy, CURLINFO_CAINFO, &systemBundle) == CURLE_OK &&
      systemBundle != nullptr)
    bundle = ReadFileText(systemBundle, kMaxPemBytes);
  return bundle + "\n" + extra;
}

}  // namespace

bool IsAcceptableHost(const std::string& host) {
  if (host.empty()) return false;
  for (unsigned char c : host) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == '.' || c == '-' || c == '_';
    if (!ok) return false;
  }
  return true;
}

std::string ExchangeUrl(const ExchangeRequest& request) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string url = request.secure ? "https://" : "http://";
  url += request.host + ":" + std::to_string(request.port);
  for (unsigned char c : request.path) {
    if (c <= 0x20 || c >= 0x7f) {
      url += '%';
      url += kHex[c >> 4];
      url += kHex[c & 15];
    } else {
      url += static_cast<char>(c);
    }
  }
  return url;
}

ExchangeResult PerformExchange(const ExchangeRequest& request) {
  ExchangeResult result;
  if (!IsAcceptableHost(request.host) || request.port < 1 || request.port > 65535) return result;
  EasyHandle easy(curl_easy_init());
  if (!easy) return result;
  const NetSettings settings = ReadNetSettings();
  Sink sink;
  sink.bodyCap = settings.bodyCap;
  StallWatch stallWatch{std::chrono::seconds(settings.stallSeconds)};

  const HeaderLines lines = CurlHeaderLines(request.headerBlock);
  HeaderList headerList;
  for (const std::string& line : lines.lines) {
    curl_slist* grown = curl_slist_append(headerList.get(), line.c_str());
    if (grown == nullptr) return result;
    headerList.release();
    headerList.reset(grown);
  }

  const std::string url = ExchangeUrl(request);
  const std::string proxy = ProxyForScheme(request.proxyList, request.secure ? "https" : "http");
  Options options(easy.get());
  options.Set(CURLOPT_URL, url.c_str())
      .Set(CURLOPT_PROTOCOLS_STR, "http,https")
      .Set(CURLOPT_REDIR_PROTOCOLS_STR, "http,https")
      .Set(CURLOPT_NOSIGNAL, 1L)
      .Set(CURLOPT_HTTP_VERSION,
           request.http10 ? long{CURL_HTTP_VERSION_1_0} : long{CURL_HTTP_VERSION_1_1})
      // An empty proxy keeps curl from taking one from the environment.
      .Set(CURLOPT_PROXY, proxy.c_str())
      .Set(CURLOPT_NOPROXY, "")
      .Set(CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L)
      .Set(CURLOPT_HTTPHEADER, headerList.get())
      .Set(CURLOPT_FOLLOWLOCATION, request.followRedirects ? 1L : 0L)
      .Set(CURLOPT_MAXREDIRS, kMaxRedirects)
      .Set(CURLOPT_CONNECTTIMEOUT, settings.connectSeconds)
      .Set(CURLOPT_NOPROGRESS, 0L)
      .Set(CURLOPT_XFERINFOFUNCTION, &OnProgress)
      .Set(CURLOPT_XFERINFODATA, &stallWatch)
      .Set(CURLOPT_TIMEOUT, settings.totalSeconds)
      .Set(CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(settings.bodyCap))
      .Set(CURLOPT_SSL_VERIFYPEER, settings.verifyTls ? 1L : 0L)
      .Set(CURLOPT_SSL_VERIFYHOST, settings.verifyTls ? 2L : 0L)
      .Set(CURLOPT_WRITEFUNCTION, &OnBody)
      .Set(CURLOPT_WRITEDATA, &sink)
      .Set(CURLOPT_HEADERFUNCTION, &OnHeader)
      .Set(CURLOPT_HEADERDATA, &sink);
  if (!lines.hasUserAgent && !request.agent.empty())
    options.Set(CURLOPT_USERAGENT, request.agent.c_str());

  const std::string trusted = settings.verifyTls && !settings.extraCaFile.empty()
                                  ? TrustedCertificates(easy.get(), settings.extraCaFile)
                                  : std::string();
  if (!trusted.empty()) {
    curl_blob blob{const_cast<char*>(trusted.data()), trusted.size(), CURL_BLOB_COPY};
    options.Set(CURLOPT_CAINFO_BLOB, &blob);
  }

  // The verb: HEAD takes no body; a body goes out with its length; everything else is a
  // plain bodiless request with the caller's verb.
  if (request.verb == "HEAD") {
    options.Set(CURLOPT_NOBODY, 1L);
  } else if (request.bodyLength > 0 || request.verb == "POST") {
    static const char kNoBody[] = "";
    options.Set(CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.bodyLength))
        .Set(CURLOPT_POSTFIELDS,
             request.bodyLength > 0 ? reinterpret_cast<const char*>(request.body) : kNoBody);
    if (request.verb != "POST") options.Set(CURLOPT_CUSTOMREQUEST, request.verb.c_str());
  } else {
    options.Set(CURLOPT_HTTPGET, 1L);
    if (request.verb != "GET") options.Set(CURLOPT_CUSTOMREQUEST, request.verb.c_str());
  }

  if (request.platformCookies && options.ok() && !AttachCookieStore(easy.get())) return result;
  if (!options.ok()) return result;

  const CURLcode code = curl_easy_perform(easy.get());
  if (request.platformCookies) SaveCookieStore(easy.get());
  if (code != CURLE_OK) return result;
  result.ok = true;
  result.body = std::move(sink.body);
  result.headers = std::move(sink.headers);
  return result;
}

}  // namespace dw::platform::inet
