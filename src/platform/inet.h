// The eight operations of one synchronous HTTP(S) exchange: open a session, connect, open a
// request, set an option, send, read the body, query the response headers, close a handle.
// The web layer drives them in that order; the libcurl backend (platform/inet/curl_inet.h)
// provides them on Linux, and unit tests use a recording fake.
//
// A handle is a non-zero number; 0 means the operation failed. Optional texts are null
// pointers when absent. Everything runs on the calling thread and blocks until done.
#pragma once

#include <cstdint>

namespace dw::platform {

using InetHandle = std::uintptr_t;

// Session access types.
inline constexpr int kInetOpenTypeDirect = 1;
inline constexpr int kInetOpenTypeProxy = 3;
// Connection service.
inline constexpr int kInetServiceHttp = 3;

// Request flag word bits.
inline constexpr std::uint32_t kInetFlagReload = 0x80000000u;  // never answer from a cache
inline constexpr std::uint32_t kInetFlagNeedFile = 0x10u;      // (no effect here)
inline constexpr std::uint32_t kInetFlagNoCookies = 0x80000u;  // platform cookie store unused
inline constexpr std::uint32_t kInetFlagNoAutoRedirect = 0x200000u;
inline constexpr std::uint32_t kInetFlagSecure = 0x800000u;  // https
inline constexpr std::uint32_t kInetFlagIgnoreRedirectToHttps = 0x4000u;

// Options.
inline constexpr int kInetOptionSecurityFlags = 31;  // 4-byte value
// Header queries.
inline constexpr int kInetQueryRawHeadersCrlf = 22;

class Inet {
 public:
  virtual ~Inet() = default;

  // A session with the agent text. accessType kInetOpenTypeDirect (proxy and bypass null)
  // or kInetOpenTypeProxy with a proxy list such as "host:port" or "http=host:port".
  virtual InetHandle Open(const char* agent, int accessType, const char* proxy, const char* bypass,
                          std::uint32_t flags) = 0;
  // A connection to host:port within the session (no network traffic yet).
  virtual InetHandle Connect(InetHandle session, const char* host, int port, const char* user,
                             const char* password, int service, std::uint32_t flags,
                             std::uintptr_t context) = 0;
  // A request for objectName (path and query) with the verb and the flag word.
  virtual InetHandle OpenRequest(InetHandle connection, const char* verb, const char* objectName,
                                 const char* version, const char* referrer,
                                 const char* const* acceptTypes, std::uint32_t flags,
                                 std::uintptr_t context) = 0;
  virtual bool SetOption(InetHandle handle, int option, const void* buffer,
                         std::uint32_t length) = 0;
  // Sends the request with the header block (lines separated by CR LF) and the body, and
  // waits for the response. False when no response arrived.
  virtual bool SendRequest(InetHandle request, const char* headers, std::uint32_t headersLength,
                           const void* body, std::uint32_t bodyLength) = 0;
  // Up to size body bytes into buffer; *bytesRead 0 at the end of the body or on failure.
  virtual bool ReadFile(InetHandle request, void* buffer, std::uint32_t size,
                        std::uint32_t* bytesRead) = 0;
  // kInetQueryRawHeadersCrlf: the final response's status line and header lines, each ended
  // by CR LF, NUL-terminated into buffer. When they do not fit (the NUL counts) nothing is
  // written, *length becomes the size needed and the result is false.
  virtual bool QueryInfo(InetHandle request, int infoLevel, char* buffer, std::uint32_t* length,
                         std::uint32_t* index) = 0;
  virtual bool CloseHandle(InetHandle handle) = 0;
};

}  // namespace dw::platform
