// Character stepping over GBK bytes, shared by the scanning operations of the toolkit.
// Internal to the text module.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace dw::text_detail {

inline unsigned char Byte(std::string_view s, std::size_t i) {
  return static_cast<unsigned char>(s[i]);
}

// A byte of 0x80 or above begins a two-byte character.
inline bool IsLead(unsigned char b) {
  return b >= 0x80;
}

inline unsigned char FoldAscii(unsigned char b) {
  return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b + ('a' - 'A')) : b;
}

inline bool EqualFolded(const char* a, const char* b, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    if (FoldAscii(static_cast<unsigned char>(a[i])) != FoldAscii(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

// Finds character starts that hold a given pattern, scanning forward through s from a known
// character start. A byte below 0x80 always ends a character (a one-byte one, or the second
// byte of a two-byte one), so the byte after it begins one; within a run of bytes of 0x80 and
// above the characters go in pairs from the run's start. That lets a library substring search
// propose candidates and a short look back decide whether a candidate begins a character,
// keeping the whole scan a single forward pass.
class CharMatcher {
 public:
  // `begin` is the first byte scanned and counts as a character start.
  CharMatcher(std::string_view s, std::string_view pattern, std::size_t begin, bool ignoreCase)
      : s_(s), pat_(pattern), known_(begin), ignoreCase_(ignoreCase) {}

  // Whether position p (p >= the last known start) begins a character. Remembers p's verdict,
  // so calls must come with non-decreasing p.
  bool IsCharStart(std::size_t p) {
    std::size_t i = p;
    while (i > known_ && IsLead(Byte(s_, i - 1))) --i;
    bool start = ((p - i) % 2) == 0;
    known_ = start ? p : p + 1;
    return start;
  }

  // The next character start at or after `from` (itself a character start or later) where
  // the pattern matches wholly within s, or npos. A lone lead byte at the end of s is a
  // truncated character and ends the scan: it never matches.
  std::size_t Next(std::size_t from) {
    const std::size_t n = pat_.size();
    while (from + n <= s_.size()) {
      std::size_t p = ignoreCase_ ? FindFolded(from) : FindExact(from);
      if (p == std::string_view::npos) return p;
      if (IsCharStart(p)) {
        if (p + 1 == s_.size() && IsLead(Byte(s_, p))) return std::string_view::npos;
        return p;
      }
      from = p + 1;
    }
    return std::string_view::npos;
  }

  // Continue after a match: `pos` counts as a character start from now on.
  void Restart(std::size_t pos) { known_ = pos; }

  // Whether the scan, left to run on from `from` (a character start), would meet a truncated
  // character at the end of s before running out of room for the pattern.
  bool EndsOnTruncated(std::size_t from) {
    if (pat_.size() > 1 || from >= s_.size()) return false;
    const std::size_t last = s_.size() - 1;
    if (!IsLead(Byte(s_, last))) return false;
    if (known_ < from) known_ = from;
    if (known_ > last) return false;  // the last byte was already seen as a second byte
    return IsCharStart(last);
  }

 private:
  std::size_t FindExact(std::size_t from) const {
    if (pat_.size() == 1) {  // the flattening case: skip the general search's compare call
      const void* hit = std::memchr(s_.data() + from, pat_[0], s_.size() - from);
      return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - s_.data())
                 : std::string_view::npos;
    }
    return s_.find(pat_, from);
  }

  std::size_t FindFolded(std::size_t from) const {
    const std::size_t n = pat_.size();
    const unsigned char first = FoldAscii(static_cast<unsigned char>(pat_[0]));
    for (std::size_t p = from; p + n <= s_.size(); ++p) {
      if (FoldAscii(Byte(s_, p)) == first && EqualFolded(s_.data() + p, pat_.data(), n)) return p;
    }
    return std::string_view::npos;
  }

  std::string_view s_;
  std::string_view pat_;
  std::size_t known_;  // a position known to begin a character
  bool ignoreCase_;
};

}  // namespace dw::text_detail
