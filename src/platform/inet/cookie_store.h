// The platform cookie store: one libcurl cookie share for the whole process, used by every
// exchange whose caller keeps no cookies of its own, and kept across runs in
// $XDG_STATE_HOME/deskwatch/cookies.txt (default ~/.local/state; mode 0600, replaced
// atomically). Session cookies (no expiry) live only as long as the process.
#pragma once

#include <curl/curl.h>

#include <string>

namespace dw::platform::inet {

// Attaches the store to an easy handle (loading the file on first use, and again when the
// file's path changes). False when curl refused.
bool AttachCookieStore(CURL* easy);
// Writes the store's persistent cookies to the file when they changed; easy must be
// attached.
void SaveCookieStore(CURL* easy);
// The file in use under the current environment; empty when there is no home to keep it.
std::string CookieStorePath();

}  // namespace dw::platform::inet
