#include "web/http_request.h"

#include <algorithm>
#include <cstdint>

#include "platform/inet.h"
#include "text/toolkit.h"
#include "web/cookies.h"
#include "web/headers.h"
#include "web/url.h"

namespace dw::web {
namespace {

using platform::Inet;
using platform::InetHandle;

constexpr const char* kVerbs[] = {"GET",     "POST",   "HEAD",  "PUT",
                                  "OPTIONS", "DELETE", "TRACE", "CONNECT"};
constexpr std::uint32_t kReadChunk = 1024;
constexpr int kResponseHeaderBuffer = 5000;
// Accept any certificate: revocation, unknown CA, wrong usage, name, date, redirects
// between http and https, and bit 0x10000. The inet backend decides what it honours.
constexpr std::uint32_t kLenientSecurityFlags = 127872;

bool IsSecure(const Text& url) {
  return ToLower(TextLeft(url, 8)) == "https://";
}

std::uint32_t RequestFlags(bool cookiesSupplied, bool noRedirect, bool secure) {
  std::uint32_t flags = platform::kInetFlagReload | platform::kInetFlagNeedFile;
  if (cookiesSupplied) flags |= platform::kInetFlagNoCookies;
  if (noRedirect) flags |= platform::kInetFlagNoAutoRedirect;
  flags |= secure ? platform::kInetFlagSecure : platform::kInetFlagIgnoreRedirectToHttps;
  return flags;
}

InetHandle OpenSession(Inet& inet, const Text& agent, const Text& proxy, bool secure) {
  if (proxy.empty())
    return inet.Open(agent.c_str(), platform::kInetOpenTypeDirect, nullptr, nullptr, 0);
  const Text proxyText = secure ? proxy : "http=" + proxy;
  return inet.Open(agent.c_str(), platform::kInetOpenTypeProxy, proxyText.c_str(), "", 0);
}

ByteSet ReadBody(Inet& inet, InetHandle request) {
  ByteSet body;
  ByteSet buffer(kReadChunk, 0);
  for (;;) {
    std::uint32_t count = 0;
    inet.ReadFile(request, buffer.data(), kReadChunk, &count);
    count = std::min(count, kReadChunk);
    if (count == 0) break;
    body.insert(body.end(), buffer.begin(), buffer.begin() + count);
  }
  return body;
}

// The raw header block as it stands in a buffer of 5000 spaces before its first NUL: all
// spaces when the query wrote nothing.
Text QueryResponseHeaders(Inet& inet, InetHandle request) {
  Text headers = BlankText(kResponseHeaderBuffer);
  std::uint32_t length = kResponseHeaderBuffer;
  inet.QueryInfo(request, platform::kInetQueryRawHeadersCrlf, headers.data(), &length, nullptr);
  const auto nul = headers.find('\0');
  if (nul != Text::npos) headers.resize(nul);
  return headers;
}

}  // namespace

ByteSet HttpRequest(platform::Inet& inet, const Text& url, int method, const Text& bodyText,
                    Text* sendCookies, Text* receivedCookies, const Text& extraHeaders,
                    Text* responseHeaders, bool noRedirect, ByteSet* bodyBytes, const Text& proxy,
                    bool autoMergeCookies, bool completeHeaders, bool normalizeHeaders) {
  Text headers = normalizeHeaders ? NormalizeHeaderBlock(extraHeaders) : extraHeaders;
  if (method < 0 || method > 7) method = 0;
  const bool secure = IsSecure(url);
  const Text agent = ChooseUserAgent(headers);

  const InetHandle session = OpenSession(inet, agent, proxy, secure);
  if (session == 0) return ByteSet();

  const Text host = UrlHost(url);
  const InetHandle connection = inet.Connect(session, host.c_str(), UrlPort(url), nullptr, nullptr,
                                             platform::kInetServiceHttp, 0, 0);
  if (connection == 0) {
    inet.CloseHandle(session);
    return ByteSet();
  }

  const std::uint32_t flags = RequestFlags(sendCookies != nullptr, noRedirect, secure);
  const Text path = UrlPath(url);
  const InetHandle request = inet.OpenRequest(connection, kVerbs[method], path.c_str(), "HTTP/1.1",
                                              nullptr, nullptr, flags, 0);
  if (request == 0) {
    inet.CloseHandle(connection);
    inet.CloseHandle(session);
    return ByteSet();
  }

  const std::uint32_t securityFlags = kLenientSecurityFlags;
  inet.SetOption(request, platform::kInetOptionSecurityFlags, &securityFlags, sizeof securityFlags);

  headers = CompleteHeaderBlock(headers, url, method, completeHeaders, sendCookies);
  const auto headersLength = static_cast<std::uint32_t>(headers.size());
  if (method == 0) {
    inet.SendRequest(request, headers.c_str(), headersLength, nullptr, 0);
  } else {
    ByteSet body = bodyBytes != nullptr ? *bodyBytes : ByteSet();
    if (body.empty()) {
      body = TextToBytes(bodyText);
      if (bodyBytes != nullptr) *bodyBytes = body;
    }
    inet.SendRequest(request, headers.c_str(), headersLength, body.empty() ? nullptr : body.data(),
                     static_cast<std::uint32_t>(body.size()));
  }

  ByteSet body = ReadBody(inet, request);
  const Text rawHeaders = QueryResponseHeaders(inet, request);
  if (responseHeaders != nullptr) *responseHeaders = rawHeaders;

  inet.CloseHandle(request);
  inet.CloseHandle(connection);
  inet.CloseHandle(session);

  Text cookies = CollectSetCookies(rawHeaders);
  if (autoMergeCookies && sendCookies != nullptr) cookies = MergeCookies(*sendCookies, cookies);
  if (receivedCookies != nullptr) *receivedCookies = cookies;
  return body;
}

}  // namespace dw::web
