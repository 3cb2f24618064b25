// The session's proxy list ("host:port", "http=host:port", "http=a:1 https=b:2") read for
// one request: which proxy its scheme goes through.
#pragma once

#include <string>

namespace dw::platform::inet {

// The proxy for the scheme ("http" or "https"), or "" for a direct connection. An entry
// without "scheme=" serves every scheme; a scheme's own entry wins over it.
std::string ProxyForScheme(const std::string& proxyList, const std::string& scheme);

}  // namespace dw::platform::inet
