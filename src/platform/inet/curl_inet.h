// The inet operations on libcurl: what the application hands to the web layer.
//
// Environment read at every exchange:
//   DESKWATCH_CA_FILE            a PEM file trusted in addition to the system CA store
//   DESKWATCH_INSECURE_TLS=1     no certificate or host name verification
//   XDG_STATE_HOME               the platform cookie store lives in
//                                $XDG_STATE_HOME/deskwatch/cookies.txt (default
//                                ~/.local/state)
//   DESKWATCH_NET_CONNECT_SECONDS, DESKWATCH_NET_STALL_SECONDS, DESKWATCH_NET_TOTAL_SECONDS
//                                shorter time-outs, for tests only (defaults 15, 30, 120)
#pragma once

#include <memory>

#include "platform/inet.h"

namespace dw::platform {

std::unique_ptr<Inet> MakeCurlInet();

}  // namespace dw::platform
