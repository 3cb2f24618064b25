#include "web/headers.h"

#include "text/toolkit.h"

namespace dw::web {
namespace {

const Text kLineEnd = "\r\n";

bool IsLowerLetter(unsigned char byte) {
  return byte >= 'a' && byte <= 'z';
}

// Upper-cases the first letter of every dash-separated piece of a header name, stepping
// over two-byte characters as the text operations do.
Text CapitalizeNamePieces(Text name) {
  bool pieceStart = true;
  std::size_t i = 0;
  while (i < name.size()) {
    const auto byte = static_cast<unsigned char>(name[i]);
    if (byte >= 0x80) {
      pieceStart = false;
      i += 2;
      continue;
    }
    if (pieceStart && IsLowerLetter(byte)) name[i] = static_cast<char>(byte - 'a' + 'A');
    pieceStart = byte == '-';
    ++i;
  }
  return name;
}

bool Lacks(const Text& block, const Text& header) {
  return FindText(block, header, std::nullopt, true) == -1;
}

}  // namespace

Text CapitalizeFirst(const Text& text) {
  Text result = text;
  if (!result.empty() && IsLowerLetter(static_cast<unsigned char>(result[0])))
    result[0] = static_cast<char>(result[0] - 'a' + 'A');
  return result;
}

Text TextAfterColon(const Text& text) {
  const int colon = FindText(text, ":");
  if (colon == -1) return Text();
  return TrimText(TextMid(text, colon + 1, TextLength(text) - colon));
}

Text NormalizeHeaderBlock(const Text& block) {
  const TextArray lines = SplitText(block, kLineEnd);
  const int count = ElementCount(lines);
  Text result;
  bool first = true;
  for (int i = 1; i <= count; ++i) {
    const Text line = ElementAt(lines, i);
    const int colon = FindText(line, ":");
    if (colon == -1) continue;
    const Text name = CapitalizeNamePieces(TextLeft(line, colon - 1));
    if (!first) result += kLineEnd;
    result += name + TextMid(line, colon, TextLength(line) - colon + 1);
    first = false;
  }
  return result;
}

Text ChooseUserAgent(const Text& block) {
  if (Lacks(block, "User-Agent:")) return kDefaultUserAgent;
  const Text agent = TrimText(TextBetween(block + kLineEnd, "User-Agent:", kLineEnd));
  if (!agent.empty()) return agent;
  return TextAfterColon(block);
}

Text CompleteHeaderBlock(const Text& block, const Text& url, int method, bool completeHeaders,
                         const Text* sendCookies) {
  Text result = block;
  if (completeHeaders) {
    if (result.empty()) result = "Accept: */*";
    if (Lacks(result, "Accept:")) result += kLineEnd + "Accept: */*";
    if (Lacks(result, "Referer:")) result += kLineEnd + "Referer: " + url;
    if (Lacks(result, "Accept-Language:")) result += kLineEnd + "Accept-Language: zh-cn";
    if (method == 1 && Lacks(result, "Content-Type:"))
      result += kLineEnd + "Content-Type: application/x-www-form-urlencoded";
  }
  if (sendCookies != nullptr && !sendCookies->empty()) {
    result += kLineEnd;
    if (FindText(*sendCookies, "Cookie:") != -1)
      result += *sendCookies;
    else
      result += "Cookie: " + *sendCookies;
  }
  return result;
}

}  // namespace dw::web
