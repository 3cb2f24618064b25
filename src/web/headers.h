// Shaping the request header block (lines separated by CR LF): header name tidying, the
// agent text for the session, the default headers and the Cookie line.
#pragma once

#include "text/values.h"

namespace dw::web {

// The agent used when the block names none.
inline constexpr char kDefaultUserAgent[] = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

// Drops lines without ":" and upper-cases the first letter of each dash-separated piece of
// every header name; values stay as they are.
Text NormalizeHeaderBlock(const Text& block);
// The text with its first byte upper-cased when it is a to z.
Text CapitalizeFirst(const Text& text);
// The bytes after the first ":", trimmed; empty without ":".
Text TextAfterColon(const Text& text);
// The agent text named by the block's User-Agent line, else the default agent.
Text ChooseUserAgent(const Text& block);
// Adds the missing default headers (completeHeaders; Content-Type only for method 1) and
// the Cookie line (sendCookies present and not empty).
Text CompleteHeaderBlock(const Text& block, const Text& url, int method, bool completeHeaders,
                         const Text* sendCookies);

}  // namespace dw::web
