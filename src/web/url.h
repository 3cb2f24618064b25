// Taking a URL apart for a request: host, port and path with query. Plain text work on the
// lowered URL; no URL parser and no percent-decoding.
#pragma once

#include <optional>

#include "text/values.h"

namespace dw::web {

// The host of url, lower case. mainDomainOnly keeps only the last two labels; keepPort keeps
// a ":port"; a given levels selects the dot-counting form that keeps levels + 2 labels.
Text UrlHost(const Text& url, bool mainDomainOnly = false, bool keepPort = false,
             std::optional<int> levels = std::nullopt);
// The port written in url, else 443 for https and 80 for everything else.
int UrlPort(const Text& url);
// Path, query and fragment as the caller wrote them; "/" when there is none.
Text UrlPath(const Text& url);

}  // namespace dw::web
