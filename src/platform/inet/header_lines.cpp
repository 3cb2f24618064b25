#include "platform/inet/header_lines.h"

#include <strings.h>

namespace dw::platform::inet {
namespace {

bool IsTokenByte(unsigned char c) {
  return c > 0x20 && c < 0x7f && c != ':';
}

bool IsBlank(const std::string& text) {
  return text.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

HeaderLines CurlHeaderLines(const std::string& block) {
  HeaderLines result;
  bool hasAccept = false, hasExpect = false, hasContentType = false, hasProxyConnection = false;
  std::size_t start = 0;
  while (start <= block.size()) {
    std::size_t end = block.find("\r\n", start);
    if (end == std::string::npos) end = block.size();
    const std::string line = block.substr(start, end - start);
    start = end + 2;

    const std::size_t colon = line.find(':');
    if (colon == std::string::npos || colon == 0) continue;
    if (line.find_first_of("\r\n") != std::string::npos) continue;
    const std::string name = line.substr(0, colon);
    bool validName = true;
    for (unsigned char c : name) validName = validName && IsTokenByte(c);
    if (!validName) continue;

    const char* n = name.c_str();
    hasAccept = hasAccept || strcasecmp(n, "Accept") == 0;
    hasExpect = hasExpect || strcasecmp(n, "Expect") == 0;
    hasContentType = hasContentType || strcasecmp(n, "Content-Type") == 0;
    hasProxyConnection = hasProxyConnection || strcasecmp(n, "Proxy-Connection") == 0;
    result.hasUserAgent = result.hasUserAgent || strcasecmp(n, "User-Agent") == 0;

    // curl reads "Name:" with nothing after it as "do not send Name"; "Name;" sends it empty.
    if (IsBlank(line.substr(colon + 1)))
      result.lines.push_back(name + ";");
    else
      result.lines.push_back(line);
  }
  if (!hasAccept) result.lines.push_back("Accept:");
  if (!hasExpect) result.lines.push_back("Expect:");
  if (!hasContentType) result.lines.push_back("Content-Type:");
  if (!hasProxyConnection) result.lines.push_back("Proxy-Connection:");
  return result;
}

}  // namespace dw::platform::inet
