// One HTTP(S) exchange on a libcurl easy handle: everything the session, connection and
// request handles recorded, performed at send time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dw::platform::inet {

struct ExchangeRequest {
  bool secure = false;
  std::string host;
  int port = 0;
  std::string path;  // as the caller wrote it, starting with "/"
  std::string verb;
  bool http10 = false;
  std::string agent;
  std::string proxyList;  // the session's list; empty: direct
  std::string headerBlock;
  const std::uint8_t* body = nullptr;
  std::size_t bodyLength = 0;
  bool followRedirects = true;
  bool platformCookies = true;
};

struct ExchangeResult {
  bool ok = false;  // a complete response arrived within the time-outs and the cap
  std::vector<std::uint8_t> body;
  std::string headers;  // final response: status line and header lines, each ended by CR LF
};

ExchangeResult PerformExchange(const ExchangeRequest& request);

// "scheme://host:port/path" with the bytes curl cannot take in a URL percent-encoded.
std::string ExchangeUrl(const ExchangeRequest& request);
// Host names the backend connects to: letters, digits, ".", "-" and "_".
bool IsAcceptableHost(const std::string& host);

}  // namespace dw::platform::inet
