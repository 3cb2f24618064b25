// One complete HTTP(S) exchange over the eight inet operations: returns the body (empty on
// any failure), and hands back the raw response headers and the cookies the server set.
#pragma once

#include "text/values.h"

namespace dw::platform {
class Inet;
}

namespace dw::web {

// method: 0 GET, 1 POST, 2 HEAD, 3 PUT, 4 OPTIONS, 5 DELETE, 6 TRACE, 7 CONNECT (others: GET).
// sendCookies: null when the caller supplies none (the platform keeps cookies); otherwise the
//   caller's cookie text, in/out: brought up to date in place when the merge runs.
// receivedCookies, responseHeaders, bodyBytes: outputs; null when the caller discards them.
ByteSet HttpRequest(platform::Inet& inet, const Text& url, int method = 0,
                    const Text& bodyText = Text(), Text* sendCookies = nullptr,
                    Text* receivedCookies = nullptr, const Text& extraHeaders = Text(),
                    Text* responseHeaders = nullptr, bool noRedirect = false,
                    ByteSet* bodyBytes = nullptr, const Text& proxy = Text(),
                    bool autoMergeCookies = true, bool completeHeaders = true,
                    bool normalizeHeaders = true);

}  // namespace dw::web
