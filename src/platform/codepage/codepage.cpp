// UTF-8 <-> code page 936 through tables, so the page decoding is one pass with no
// per-character library call. The two-byte half of the code page is kept in the source
// (cp936_table.inc, made by make_cp936_table.cpp); the reverse table is derived from it once.
#include <array>
#include <cstdint>
#include <cstring>

#include "platform/codepage.h"

namespace dw::platform {
namespace {

constexpr int kFirstLead = 0x81;
constexpr int kFirstTrail = 0x40;
constexpr int kTrailsPerLead = 0xFE - kFirstTrail + 1;

// Unicode value of each two-byte character, by lead and second byte; 0 = none.
constexpr std::uint16_t kTwoByte[][kTrailsPerLead] = {
#include "platform/codepage/cp936_table.inc"
};
static_assert(sizeof kTwoByte / sizeof kTwoByte[0] == 0xFE - kFirstLead + 1);

// The one-byte characters above ASCII: only 0x80, the euro sign.
constexpr std::uint8_t kEuroByte = 0x80;
constexpr std::uint16_t kEuroSign = 0x20AC;

std::uint16_t FromTwoBytes(unsigned char lead, unsigned char trail) {
  if (lead < kFirstLead || lead > 0xFE || trail < kFirstTrail || trail > 0xFE) return 0;
  return kTwoByte[lead - kFirstLead][trail - kFirstTrail];
}

struct Tables {
  std::array<std::uint16_t, 0x10000> toGbk{};  // BMP code point -> GBK (0 = none)
};

const Tables& GetTables() {
  static const Tables* tables = [] {
    auto* t = new Tables();
    for (int b = 1; b < 0x80; ++b) t->toGbk[b] = static_cast<std::uint16_t>(b);
    t->toGbk[kEuroSign] = kEuroByte;
    for (int lead = 0xFE; lead >= kFirstLead; --lead) {
      for (int trail = 0xFE; trail >= kFirstTrail; --trail) {
        // Walking backwards leaves the lowest code for a code point mapped twice.
        const std::uint16_t cp = kTwoByte[lead - kFirstLead][trail - kFirstTrail];
        if (cp != 0) t->toGbk[cp] = static_cast<std::uint16_t>(lead << 8 | trail);
      }
    }
    return t;
  }();
  return *tables;
}

// Appends the GBK form of a code point; one "?" for each UTF-16 unit that has none, as the
// system converter does (a character beyond the BMP is two units, so two "?").
inline char* PutGbk(char* out, std::uint32_t cp, const Tables& t) {
  if (cp >= 0x10000) {
    *out++ = '?';
    *out++ = '?';
    return out;
  }
  const std::uint16_t code = t.toGbk[cp];
  if (code == 0) {
    *out++ = '?';
  } else if (code < 0x100) {
    *out++ = static_cast<char>(code);
  } else {
    *out++ = static_cast<char>(code >> 8);
    *out++ = static_cast<char>(code & 0xFF);
  }
  return out;
}

// Eight bytes that are all ASCII and none of them zero.
inline bool PlainAscii8(const unsigned char* p) {
  std::uint64_t v;
  std::memcpy(&v, p, sizeof v);
  constexpr std::uint64_t kLow = 0x0101010101010101ull;
  constexpr std::uint64_t kHigh = 0x8080808080808080ull;
  return ((v | (v - kLow)) & kHigh) == 0;
}

// UTF-8 to GBK in one pass. Malformed input is replaced the way the system's UTF-8 decoder
// does it: each maximal prefix of a well-formed sequence, and each byte that cannot begin
// one, becomes one "?". No GBK form is ever longer than its UTF-8 form, so the result fits
// in n bytes.
Text Decode(const unsigned char* p, std::size_t n) {
  const Tables& t = GetTables();
  Text result(n, '\0');
  char* const begin = result.data();
  char* out = begin;
  std::size_t i = 0;
  while (i < n) {
    while (i + 8 <= n && PlainAscii8(p + i)) {
      std::memcpy(out, p + i, 8);
      out += 8;
      i += 8;
    }
    if (i >= n) break;
    const unsigned char c = p[i];
    if (c < 0x80) {
      if (c == 0) break;  // a NUL ends the text
      *out++ = static_cast<char>(c);
      ++i;
      continue;
    }
    std::size_t len = 0;
    std::uint32_t cp = 0;
    unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the next byte
    if (c >= 0xC2 && c <= 0xDF) {
      len = 2;
      cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      len = 3;
      cp = c & 0x0F;
      if (c == 0xE0) lo = 0xA0;  // shorter forms are overlong
      if (c == 0xED) hi = 0x9F;  // above are the surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
      len = 4;
      cp = c & 0x07;
      if (c == 0xF0) lo = 0x90;  // overlong
      if (c == 0xF4) hi = 0x8F;  // beyond U+10FFFF
    } else {
      *out++ = '?';  // a continuation byte alone, or a byte that never begins a sequence
      ++i;
      continue;
    }
    std::size_t k = 1;
    for (; k < len && i + k < n; ++k) {
      const unsigned char cc = p[i + k];
      if (cc < lo || cc > hi) break;
      lo = 0x80;
      hi = 0xBF;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (k < len) {
      *out++ = '?';
      i += k;
      continue;
    }
    out = PutGbk(out, cp, t);
    i += len;
  }
  result.resize(static_cast<std::size_t>(out - begin));
  return result;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace

Text Utf8ToGbk(const ByteSet& utf8) {
  return Decode(utf8.data(), utf8.size());
}

Text Utf8ToGbk(std::string_view utf8) {
  return Decode(reinterpret_cast<const unsigned char*>(utf8.data()), utf8.size());
}

std::string GbkToUtf8(const Text& gbk) {
  std::string out;
  out.reserve(gbk.size() * 3 / 2);
  for (std::size_t i = 0; i < gbk.size(); ++i) {
    const auto c = static_cast<unsigned char>(gbk[i]);
    std::uint32_t cp = 0;
    if (c < 0x80) {
      cp = c;
    } else if (c == kEuroByte) {
      cp = kEuroSign;
    } else if (i + 1 < gbk.size() && c != 0xFF) {
      // A lead byte takes the next byte with it, whatever it is, as the text scans do.
      cp = FromTwoBytes(c, static_cast<unsigned char>(gbk[++i]));
    }
    AppendUtf8(out, cp == 0 ? 0xFFFD : cp);
  }
  return out;
}

}  // namespace dw::platform
