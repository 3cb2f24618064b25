// The caller's request header block turned into the lines handed to libcurl, so that the
// server receives exactly the block's header lines and none of curl's own defaults.
#pragma once

#include <string>
#include <vector>

namespace dw::platform::inet {

struct HeaderLines {
  std::vector<std::string> lines;  // in the order of the block, then the suppressions
  bool hasUserAgent = false;       // the block names the agent itself
};

// Lines are separated by CR LF. Empty lines, lines without a name and lines holding a lone
// CR or LF are dropped (they cannot be sent as one header). A header whose value is blank
// goes out with an empty value. Accept, Expect, Content-Type and Proxy-Connection lines that
// curl would add on its own are suppressed unless the block has them.
HeaderLines CurlHeaderLines(const std::string& block);

}  // namespace dw::platform::inet
