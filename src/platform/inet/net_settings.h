// What the environment says about network exchanges: time-outs, body cap and certificate
// trust. Read at every exchange so that a running test can change it.
#pragma once

#include <cstddef>
#include <string>

namespace dw::platform::inet {

struct NetSettings {
  long connectSeconds = 15;  // to establish the connection (TCP + TLS)
  long stallSeconds = 30;    // without a single byte moving
  long totalSeconds = 120;   // for the whole exchange, redirects included
  std::size_t bodyCap = std::size_t{32} << 20;
  bool verifyTls = true;
  std::string extraCaFile;  // a PEM file trusted besides the system store
};

NetSettings ReadNetSettings();

}  // namespace dw::platform::inet
