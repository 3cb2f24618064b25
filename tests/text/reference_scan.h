// A deliberately plain model of the scanning operations: one character at a time, exactly
// as the rules read, with no search acceleration. The toolkit's fast scans must agree with it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace dw::reference {

inline bool Lead(const std::string& t, std::size_t p) {
  return static_cast<unsigned char>(t[p]) >= 0x80;
}
inline bool Truncated(const std::string& t, std::size_t p) {
  return Lead(t, p) && p + 1 == t.size();
}
inline unsigned char Fold(char c) {
  auto b = static_cast<unsigned char>(c);
  return (b >= 'A' && b <= 'Z') ? b + 32 : b;
}
inline bool MatchAt(const std::string& t, std::size_t p, const std::string& s, bool ic) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (ic ? Fold(t[p + i]) != Fold(s[i]) : t[p + i] != s[i]) return false;
  }
  return true;
}
inline std::size_t Step(const std::string& t, std::size_t p) {
  return Lead(t, p) ? 2 : 1;
}

inline int Find(const std::string& t, const std::string& s, std::optional<int> start, bool ic) {
  long long b = start ? std::max<long long>(*start, 1) : 1;
  if (b > static_cast<long long>(t.size())) return -1;
  if (s.empty()) return 1;
  for (std::size_t p = static_cast<std::size_t>(b - 1); p + s.size() <= t.size(); p += Step(t, p)) {
    if (Truncated(t, p)) break;
    if (MatchAt(t, p, s, ic)) return static_cast<int>(p + 1);
  }
  return -1;
}

inline int FindReverse(const std::string& text, const std::string& s, std::optional<int> start,
                       bool ic) {
  std::size_t k = text.size();
  if (start) k = std::min<std::size_t>(static_cast<std::size_t>(std::max(*start - 1LL, 0LL)), k);
  if (s.empty()) return k > 0 ? 1 : -1;
  const std::string t = text.substr(0, k);
  int last = -1;
  for (std::size_t p = 0; p + s.size() <= t.size(); p += Step(t, p)) {
    if (Truncated(t, p)) break;
    if (MatchAt(t, p, s, ic)) last = static_cast<int>(p + 1);
  }
  return last;
}

inline std::string Replace(const std::string& t, const std::string& s, const std::string& r,
                           std::optional<int> start, std::optional<int> count, bool cs) {
  std::size_t p = start ? static_cast<std::size_t>(std::max(*start, 1) - 1) : 0;
  long long limit = (count && *count >= 0) ? *count : -1;
  if (t.empty() || s.empty() || p >= t.size() || limit == 0) return t;
  std::string out = t.substr(0, p);
  long long made = 0;
  while (true) {
    if (p + s.size() > t.size()) {
      out += t.substr(p);
      break;
    }
    if (Truncated(t, p)) break;
    if (MatchAt(t, p, s, !cs)) {
      out += r;
      p += s.size();
      if (++made == limit) {
        out += t.substr(p);
        break;
      }
    } else {
      out += t.substr(p, Step(t, p));
      p += Step(t, p);
    }
  }
  return out;
}

inline std::vector<std::string> Split(const std::string& t, const std::string& sep,
                                      std::optional<int> maxParts) {
  long long limit = maxParts ? std::max(*maxParts, 0) : -1;
  std::vector<std::string> parts;
  if (t.empty() || limit == 0) return parts;
  if (sep.empty()) return {t};
  std::size_t piece = 0;
  std::size_t p = 0;
  while (p + sep.size() <= t.size()) {
    if (Truncated(t, p)) break;
    if (MatchAt(t, p, sep, false)) {
      parts.push_back(t.substr(piece, p - piece));
      p += sep.size();
      piece = p;
      if (static_cast<long long>(parts.size()) == limit) return parts;
    } else {
      p += Step(t, p);
    }
  }
  if (piece < t.size()) parts.push_back(t.substr(piece));
  return parts;
}

}  // namespace dw::reference
