// Drives the text toolkit and the code-page conversions with arbitrary bytes. Input layout:
// four control bytes (two signed numbers and option flags), then text, search and
// replacement separated by 0x01 bytes. The scans must agree with the plain model, and every
// result must stay within the bounds its rule gives.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "platform/codepage.h"
#include "text/reference_scan.h"
#include "text/toolkit.h"

namespace {

using namespace dw;

void Check(bool ok) {
  if (!ok) std::abort();
}

bool IsSubstring(const Text& part, const Text& whole) {
  return part.empty() || whole.find(part) != Text::npos;
}

bool ValidUtf8(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    if (c >= 0x80 && c < 0xC2) return false;
    if (i + len > s.size()) return false;
    for (std::size_t k = 1; k < len; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    i += len;
  }
  return true;
}

void CheckCodePage(const std::uint8_t* data, std::size_t size) {
  const ByteSet bytes(data, data + size);
  const Text gbk = platform::Utf8ToGbk(bytes);
  Check(gbk.size() <= size);
  Check(gbk.find('\0') == Text::npos);
  const std::string utf8 = platform::GbkToUtf8(gbk);
  Check(ValidUtf8(utf8));
  // Valid UTF-8 of GBK characters converts back; only replacement marks may differ.
  const Text again = platform::Utf8ToGbk(std::string_view(utf8));
  Check(again.size() <= gbk.size());
}

void CheckScans(const Text& text, const Text& search, const Text& replacement,
                std::optional<int> start, std::optional<int> count, bool flag) {
  const int length = TextLength(text);
  const int found = FindText(text, search, start, flag);
  Check(found == -1 || (found >= 1 && found <= length));
  Check(found == reference::Find(text, search, start, flag));
  const int last = FindTextReverse(text, search, start, flag);
  Check(last == -1 || (last >= 1 && last <= length));
  Check(last == reference::FindReverse(text, search, start, flag));

  const Text replaced = ReplaceText(text, search, replacement, start, count, flag);
  Check(replaced == reference::Replace(text, search, replacement, start, count, flag));
  if (replacement.empty()) Check(TextLength(replaced) <= length);

  const TextArray parts = SplitText(text, search, count);
  Check(parts == reference::Split(text, search, count));
  std::size_t joined = 0;
  for (const Text& part : parts) joined += part.size() + search.size();
  Check(joined <= text.size() + search.size());

  const Text between = TextBetween(text, search, replacement, start, flag);
  Check(between.size() < text.size() || between.empty());
  Check(IsSubstring(between, text));
  const Text before = TextBefore(text, search, start.value_or(0), flag);
  Check(text.compare(0, before.size(), before) == 0);
}

void CheckShapes(const Text& text, int a, int b) {
  const int length = TextLength(text);
  const Text trimmed = TrimText(text);
  Check(IsSubstring(trimmed, text) && TextLength(trimmed) <= length);
  Check(trimmed.empty() || trimmed[0] != ' ');
  for (const Text& changed : {ToUpper(text), ToLower(text)}) {
    Check(changed.size() == text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (changed[i] != text[i]) Check((changed[i] ^ text[i]) == 0x20);
    }
  }
  (void)TextToInt(text);
  Check(TextLength(TextMid(text, a, b)) <= std::max(0, std::min(b, length)));
  Check(TextLength(TextLeft(text, a)) <= length && TextLength(TextRight(text, b)) <= length);
  const ByteSet bytes = TextToBytes(text);
  Check(BytesLength(BytesMid(bytes, a, b)) <= length);
  Check(BytesLength(BytesLeft(bytes, a)) <= length);
  Check(TextLength(ToText(bytes)) <= length);
  Check(CharCode(text, a) >= -128 && CharCode(text, a) <= 127);
  Check(CompareText(text, trimmed) == -CompareText(trimmed, text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckCodePage(data, size);
  if (size < 4) return 0;
  const int a = static_cast<std::int8_t>(data[0]);
  const int b = static_cast<std::int8_t>(data[1]);
  const unsigned flags = data[2] | (data[3] << 8);
  const std::string_view rest(reinterpret_cast<const char*>(data + 4), size - 4);
  const std::size_t cut1 = rest.find('\x01');
  const std::size_t cut2 = cut1 == std::string_view::npos ? cut1 : rest.find('\x01', cut1 + 1);
  const Text text(rest.substr(0, cut1));
  const Text search(cut1 == std::string_view::npos ? "" : rest.substr(cut1 + 1, cut2 - cut1 - 1));
  const Text replacement(cut2 == std::string_view::npos ? "" : rest.substr(cut2 + 1));
  const std::optional<int> start = (flags & 1) ? std::optional<int>(a) : std::nullopt;
  const std::optional<int> count = (flags & 2) ? std::optional<int>(b) : std::nullopt;
  CheckScans(text, search, replacement, start, count, (flags & 4) != 0);
  CheckShapes(text, a, b);
  return 0;
}
