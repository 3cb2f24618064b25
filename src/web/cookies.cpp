#include "web/cookies.h"

#include "text/toolkit.h"

namespace dw::web {
namespace {

const Text kCookieSeparator = "; ";

Text DropLastBytes(const Text& text, int n) {
  return TextLeft(text, TextLength(text) - n);
}

// Trims the text and gives a final ";" its space, so that splitting at "; " drops it.
void TidyCookieText(Text& text) {
  text = TrimText(text);
  if (TextRight(text, 1) == ";") text += " ";
}

}  // namespace

Text CollectSetCookies(const Text& responseHeaders) {
  const TextArray lines = SplitText(responseHeaders, "\r\n");
  const int count = ElementCount(lines);
  Text result;
  for (int i = 1; i <= count; ++i) {
    const Text line = ElementAt(lines, i);
    if (TextBefore(line, ": ") != "Set-Cookie") continue;
    Text value;
    if (FindText(line, ";") != -1)
      value = TrimText(TextBetween(line, "Set-Cookie:", ";"));
    else
      value = TrimText(ReplaceText(line, "Set-Cookie:", "", false));
    result += value + kCookieSeparator;
  }
  return DropLastBytes(result, 2);
}

Text MergeCookies(Text& existing, Text& incoming) {
  TidyCookieText(existing);
  TidyCookieText(incoming);
  const TextArray existingList = SplitText(existing, kCookieSeparator);
  TextArray incomingList = SplitText(incoming, kCookieSeparator);

  const int existingCount = ElementCount(existingList);
  for (int i = 1; i <= existingCount; ++i) {
    const Text cookie = ElementAt(existingList, i);
    if (!CookieListHasName(incomingList, CookieName(cookie))) AppendElement(incomingList, cookie);
  }

  existing.clear();
  const int mergedCount = ElementCount(incomingList);
  for (int i = 1; i <= mergedCount; ++i) {
    const Text cookie = ElementAt(incomingList, i);
    if (TextRight(cookie, 8) != "=deleted") existing += cookie + kCookieSeparator;
  }
  existing = DropLastBytes(existing, 2);
  existing = DeduplicateJoin(existing, kCookieSeparator, true);
  return existing;
}

Text CookieName(const Text& cookie) {
  const int equals = FindText(cookie, "=");
  return TrimText(equals == -1 ? cookie : TextLeft(cookie, equals - 1));
}

bool CookieListHasName(const TextArray& cookies, const Text& name) {
  const int count = ElementCount(cookies);
  for (int i = 1; i <= count; ++i)
    if (CookieName(ElementAt(cookies, i)) == name) return true;
  return false;
}

Text DeduplicateJoin(const Text& text, const Text& separator, bool splitBySeparator) {
  TextArray pieces;
  if (splitBySeparator)
    pieces = SplitText(text, separator);
  else
    SplitCharacters(text, pieces);
  TextArray taken;
  Text result;
  const int count = ElementCount(pieces);
  for (int i = 1; i <= count; ++i) {
    const Text piece = ElementAt(pieces, i);
    if (FindInList(taken, piece) != -1) continue;
    AppendElement(taken, piece);
    result += piece + separator;
  }
  return DropLastBytes(result, TextLength(separator));
}

int SplitCharacters(const Text& text, TextArray& list) {
  list.clear();
  const ByteSet bytes = TextToBytes(text);
  const int n = BytesLength(bytes);
  int d = 1;
  while (d <= n) {
    int length = 1;
    if (d < n) {
      const std::uint8_t byte = bytes[static_cast<std::size_t>(d - 1)];
      const std::uint8_t next = bytes[static_cast<std::size_t>(d)];
      if (byte > 0x80 || (byte == '\r' && next == '\n')) length = 2;
    }
    AppendElement(list, ToText(BytesMid(bytes, d, length)));
    d += length;
  }
  return ElementCount(list);
}

int FindInList(const TextArray& list, const Text& text) {
  const int count = ElementCount(list);
  for (int i = 1; i <= count; ++i)
    if (ElementAt(list, i) == text) return i;
  return -1;
}

}  // namespace dw::web
