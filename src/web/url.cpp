#include "web/url.h"

#include "text/toolkit.h"

namespace dw::web {
namespace {

// Host form that starts from the scheme and ends at the next "/".
Text HostAfterScheme(Text url, bool mainDomainOnly) {
  if (TextRight(url, 1) != "/") url += "/";
  Text host;
  if (TextLeft(url, 8) == "https://") {
    host = TextBetween(url, "https://", "/");
  } else {
    if (FindText(url, "http://") == -1) url = "http://" + url;
    host = TextBetween(url, "http://", "/");
  }
  if (mainDomainOnly) {
    const TextArray labels = SplitText(host, ".");
    const int count = ElementCount(labels);
    if (count > 1) host = ElementAt(labels, count - 1) + "." + ElementAt(labels, count);
  }
  return host;
}

// Host form that counts dots from the right: levels more labels than the main domain.
Text HostByLevels(Text url, bool mainDomainOnly, int levels) {
  url = ReplaceText(url, "http://", "", true);
  url = ReplaceText(url, "https://", "", true);
  const int slash = FindText(url, "/");
  if (slash != -1) url = TextLeft(url, slash - 1);
  const int length = TextLength(url);
  int mark = length;
  // Once no dot is left the mark stays -1, so the walk can end there.
  for (int i = 0; i < levels && mark != -1; ++i) mark = FindTextReverse(url, ".", mark);
  const int dot = mark == -1 ? -1 : FindTextReverse(url, ".", mark);
  if (mainDomainOnly) return TextRight(url, length - dot);
  if (dot != -1) {
    const int outer = FindTextReverse(url, ".", dot);
    if (outer != -1) return TextRight(url, length - outer);
  }
  return url;
}

}  // namespace

Text UrlHost(const Text& url, bool mainDomainOnly, bool keepPort, std::optional<int> levels) {
  const Text lowered = ToLower(url);
  Text host = levels ? HostByLevels(lowered, mainDomainOnly, *levels)
                     : HostAfterScheme(lowered, mainDomainOnly);
  if (keepPort) return host;
  const int colon = FindText(host, ":");
  return colon == -1 ? host : TextLeft(host, colon - 1);
}

int UrlPort(const Text& url) {
  const Text host = UrlHost(url, false, true);
  const int colon = FindTextReverse(host, ":");
  if (colon == -1) return TextLeft(ToLower(url), 5) == "https" ? 443 : 80;
  return TextToInt(TextMid(host, colon + 1, TextLength(host) - colon));
}

Text UrlPath(const Text& url) {
  const Text host = UrlHost(url);
  const int hostAt = FindText(url, host, 1, true);
  const int slash = FindText(url, "/", hostAt);
  if (slash == -1) return "/";
  return TextMid(url, slash, TextLength(url) - slash + 1);
}

}  // namespace dw::web
