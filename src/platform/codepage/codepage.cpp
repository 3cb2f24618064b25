// UTF-8 <-> code page 936 through tables built once from glibc's iconv "CP936" converter.
// Tables keep the page decoding one pass with no per-character library call.
#include <iconv.h>

#include <array>
#include <cstdint>
#include <mutex>

#include "platform/codepage.h"

namespace dw::platform {
namespace {

struct Tables {
  std::array<std::uint16_t, 0x10000> toGbk{};   // BMP code point -> GBK (0 = none)
  std::array<std::uint16_t, 0x10000> fromGbk{}; // GBK code (one or two bytes) -> code point
};

Tables* BuildTables() {
  auto* t = new Tables();
  iconv_t cd = iconv_open("UCS-4LE", "CP936");
  if (cd == reinterpret_cast<iconv_t>(-1)) return t;
  auto convert = [&](const unsigned char* in, size_t n) -> std::uint32_t {
    char inbuf[2] = {static_cast<char>(in[0]), n > 1 ? static_cast<char>(in[1]) : '\0'};
    char* ip = inbuf;
    size_t il = n;
    std::uint32_t out[2] = {0, 0};
    char* op = reinterpret_cast<char*>(out);
    size_t ol = sizeof(out);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1) || il != 0) return 0;
    if (ol != sizeof(out) - 4) return 0;
    return out[0];
  };
  for (int b = 1; b < 0x100; ++b) {
    unsigned char in[1] = {static_cast<unsigned char>(b)};
    std::uint32_t cp = convert(in, 1);
    if (cp != 0 && cp < 0x10000) {
      t->fromGbk[b] = static_cast<std::uint16_t>(cp);
      if (t->toGbk[cp] == 0) t->toGbk[cp] = static_cast<std::uint16_t>(b);
    }
  }
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      unsigned char in[2] = {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
      std::uint32_t cp = convert(in, 2);
      if (cp == 0 || cp >= 0x10000) continue;
      std::uint16_t code = static_cast<std::uint16_t>(lead << 8 | trail);
      t->fromGbk[code] = static_cast<std::uint16_t>(cp);
      if (t->toGbk[cp] == 0) t->toGbk[cp] = code;
    }
  }
  iconv_close(cd);
  return t;
}

const Tables& GetTables() {
  static std::once_flag once;
  static Tables* tables = nullptr;
  std::call_once(once, [] { tables = BuildTables(); });
  return *tables;
}

void AppendGbk(Text& out, std::uint32_t cp, const Tables& t) {
  std::uint16_t code = cp < 0x10000 ? t.toGbk[cp] : 0;
  if (cp == 0) return;
  if (code == 0) {
    out.push_back('?');
  } else if (code < 0x100) {
    out.push_back(static_cast<char>(code));
  } else {
    out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xFF));
  }
}

Text Decode(const unsigned char* p, size_t n) {
  const Tables& t = GetTables();
  Text out;
  out.reserve(n);
  size_t i = 0;
  while (i < n) {
    unsigned char c = p[i];
    if (c == 0) break;  // a NUL ends the text
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      ++i;
      continue;
    }
    int len = 0;
    std::uint32_t cp = 0;
    if (c >= 0xC2 && c <= 0xDF) {
      len = 2;
      cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      len = 3;
      cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      len = 4;
      cp = c & 0x07;
    }
    bool ok = len > 0 && i + len <= n;
    for (int k = 1; ok && k < len; ++k) {
      unsigned char cc = p[i + k];
      if ((cc & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (ok) {
      // Overlong forms, surrogates and values past U+10FFFF are malformed.
      if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
          (cp >= 0xD800 && cp <= 0xDFFF))
        ok = false;
    }
    if (!ok) {
      // One "?" for the malformed lead byte and the continuation bytes that follow it.
      out.push_back('?');
      ++i;
      while (i < n && (p[i] & 0xC0) == 0x80 && len > 1) {
        ++i;
        --len;
      }
      continue;
    }
    AppendGbk(out, cp, t);
    i += len;
  }
  return out;
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

Text Utf8ToGbk(const ByteSet& utf8) { return Decode(utf8.data(), utf8.size()); }

Text Utf8ToGbk(std::string_view utf8) {
  return Decode(reinterpret_cast<const unsigned char*>(utf8.data()), utf8.size());
}

std::string GbkToUtf8(const Text& gbk) {
  const Tables& t = GetTables();
  std::string out;
  out.reserve(gbk.size() * 3 / 2);
  for (size_t i = 0; i < gbk.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(gbk[i]);
    std::uint32_t cp = 0;
    if (c < 0x80) {
      cp = c;
    } else if (i + 1 < gbk.size() && c != 0x80 && c != 0xFF) {
      cp = t.fromGbk[static_cast<std::uint16_t>(c << 8 | static_cast<unsigned char>(gbk[i + 1]))];
      ++i;
    } else {
      cp = t.fromGbk[c];
    }
    AppendUtf8(out, cp == 0 ? 0xFFFD : cp);
  }
  return out;
}

}  // namespace dw::platform
