#include "platform/inet/proxy_list.h"

#include <cctype>

namespace dw::platform::inet {

std::string ProxyForScheme(const std::string& proxyList, const std::string& scheme) {
  std::string forAll;
  std::size_t i = 0;
  while (i < proxyList.size()) {
    // Entries are separated by blanks or ";".
    while (i < proxyList.size() &&
           (proxyList[i] == ' ' || proxyList[i] == '\t' || proxyList[i] == ';'))
      ++i;
    std::size_t end = i;
    while (end < proxyList.size() && proxyList[end] != ' ' && proxyList[end] != '\t' &&
           proxyList[end] != ';')
      ++end;
    const std::string entry = proxyList.substr(i, end - i);
    i = end;
    if (entry.empty()) continue;
    const std::size_t equals = entry.find('=');
    if (equals == std::string::npos) {
      if (forAll.empty()) forAll = entry;
      continue;
    }
    std::string entryScheme = entry.substr(0, equals);
    for (char& c : entryScheme) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (entryScheme == scheme && equals + 1 < entry.size()) return entry.substr(equals + 1);
  }
  return forAll;
}

}  // namespace dw::platform::inet
