// Fuzz target for the web routines that read outside text: URL dissection, header block
// shaping, cookie collection and merging, and a whole HttpRequest over a fake exchange
// whose response headers and body come from the input.
//
// Input: the first byte picks the routine; the rest is split at NUL bytes into texts (texts
// hold no NUL).
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/inet.h"
#include "text/toolkit.h"
#include "web/cookies.h"
#include "web/headers.h"
#include "web/http_request.h"
#include "web/url.h"

namespace {

using namespace dw;

void Check(bool condition) {
  if (!condition) std::abort();
}

// Answers every request with the fuzzed header text and body.
class CannedInet : public platform::Inet {
 public:
  CannedInet(const Text& headers, const Text& body) : headers_(headers), body_(body) {}
  platform::InetHandle Open(const char*, int, const char*, const char*, std::uint32_t) override {
    return 1;
  }
  platform::InetHandle Connect(platform::InetHandle, const char*, int, const char*, const char*,
                               int, std::uint32_t, std::uintptr_t) override {
    return 2;
  }
  platform::InetHandle OpenRequest(platform::InetHandle, const char*, const char*, const char*,
                                   const char*, const char* const*, std::uint32_t,
                                   std::uintptr_t) override {
    return 3;
  }
  bool SetOption(platform::InetHandle, int, const void*, std::uint32_t) override { return true; }
  bool SendRequest(platform::InetHandle, const char* headers, std::uint32_t length, const void*,
                   std::uint32_t) override {
    Check(std::strlen(headers) == length);
    return true;
  }
  bool ReadFile(platform::InetHandle, void* buffer, std::uint32_t size,
                std::uint32_t* read) override {
    const std::size_t n = std::min<std::size_t>(size, body_.size() - position_);
    std::memcpy(buffer, body_.data() + position_, n);
    position_ += n;
    *read = static_cast<std::uint32_t>(n);
    return true;
  }
  bool QueryInfo(platform::InetHandle, int, char* buffer, std::uint32_t* length,
                 std::uint32_t*) override {
    if (headers_.size() + 1 > *length) return false;
    std::memcpy(buffer, headers_.c_str(), headers_.size() + 1);
    return true;
  }
  bool CloseHandle(platform::InetHandle) override { return true; }

 private:
  Text headers_, body_;
  std::size_t position_ = 0;
};

Text Part(const std::vector<Text>& parts, std::size_t i) {
  return i < parts.size() ? parts[i] : Text();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t selector = data[0];
  std::vector<Text> parts(1);
  for (std::size_t i = 1; i < size; ++i) {
    if (data[i] == 0)
      parts.emplace_back();
    else
      parts.back() += static_cast<char>(data[i]);
  }
  const Text a = Part(parts, 0), b = Part(parts, 1), c = Part(parts, 2);

  switch (selector % 5) {
    case 0: {  // URL dissection with every option
      const int levels = TextToInt(b) % 8;
      for (int options = 0; options < 4; ++options) {
        const bool main = options & 1, keep = options & 2;
        const Text host = web::UrlHost(a, main, keep);
        const Text counted = web::UrlHost(a, main, keep, levels);
        if (!keep) Check(FindText(host, ":") == -1 && FindText(counted, ":") == -1);
      }
      web::UrlPort(a);
      Check(TextLeft(web::UrlPath(a), 1) == "/");
      break;
    }
    case 1: {  // header block shaping
      const Text normalized = web::NormalizeHeaderBlock(a);
      Check(normalized.size() <= a.size());
      web::ChooseUserAgent(a);
      web::ChooseUserAgent(normalized);
      const Text completed =
          web::CompleteHeaderBlock(normalized, b, selector >> 4, selector & 8, &c);
      Check(completed.compare(0, normalized.size(), normalized) == 0 || normalized.empty());
      web::TextAfterColon(a);
      web::CapitalizeFirst(a);
      break;
    }
    case 2: {  // cookie merging and its helpers
      Text existing = a, incoming = b;
      const Text merged = web::MergeCookies(existing, incoming);
      Check(merged == existing);
      web::DeduplicateJoin(c, b, selector & 8);
      TextArray characters;
      const int count = web::SplitCharacters(a, characters);
      Text joined;
      for (const Text& character : characters) joined += character;
      Check(count == ElementCount(characters) && joined == a);
      break;
    }
    case 3:
      web::CollectSetCookies(a);
      break;
    case 4: {  // a whole request whose answer is the input
      CannedInet inet(a, b);
      Text cookies = c, received, headers;
      const bool supplied = selector & 8;
      const ByteSet body = web::HttpRequest(inet, "https://a.test/x", selector >> 4, "",
                                            supplied ? &cookies : nullptr, &received, c, &headers);
      Check(body.size() == b.size());
      Check(headers.size() <= 5000);
      if (supplied) Check(received == cookies);
      break;
    }
  }
  return 0;
}
