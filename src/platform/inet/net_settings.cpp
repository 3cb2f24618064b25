#include "platform/inet/net_settings.h"

#include <cstdlib>
#include <cstring>

namespace dw::platform::inet {
namespace {

// A whole number of seconds from 1 to 3600, else the fallback.
long SecondsFromEnvironment(const char* name, long fallback) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') return fallback;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (*end != '\0' || value < 1 || value > 3600) return fallback;
  return value;
}

}  // namespace

NetSettings ReadNetSettings() {
  NetSettings settings;
  settings.connectSeconds =
      SecondsFromEnvironment("DESKWATCH_NET_CONNECT_SECONDS", settings.connectSeconds);
  settings.stallSeconds =
      SecondsFromEnvironment("DESKWATCH_NET_STALL_SECONDS", settings.stallSeconds);
  settings.totalSeconds =
      SecondsFromEnvironment("DESKWATCH_NET_TOTAL_SECONDS", settings.totalSeconds);
  const char* insecure = std::getenv("DESKWATCH_INSECURE_TLS");
  settings.verifyTls = insecure == nullptr || std::strcmp(insecure, "1") != 0;
  if (const char* caFile = std::getenv("DESKWATCH_CA_FILE")) settings.extraCaFile = caFile;
  return settings;
}

}  // namespace dw::platform::inet
