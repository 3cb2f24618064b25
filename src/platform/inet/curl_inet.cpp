// The inet handles on libcurl. Session, connection and request only record what they are
// given; the exchange runs at send time, and read and query hand out what it brought back.
#include "platform/inet/curl_inet.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <variant>
#include <vector>

#include "platform/inet/exchange.h"

namespace dw::platform {
namespace {

struct Session {
  std::string agent;
  std::string proxyList;
};

struct Connection {
  Session session;
  std::string host;
  int port = 0;
};

struct Request {
  Connection connection;
  std::string verb;
  std::string path;
  bool http10 = false;
  std::uint32_t flags = 0;
  // Recorded, not honoured: certificates are verified unless the environment says not to.
  std::uint32_t securityFlags = 0;
  bool answered = false;
  std::vector<std::uint8_t> body;
  std::size_t readPosition = 0;
  std::string headers;
};

using HandleObject = std::variant<Session, Connection, Request>;

class CurlInet final : public Inet {
 public:
  CurlInet() = default;
  CurlInet(const CurlInet&) = delete;
  CurlInet& operator=(const CurlInet&) = delete;

  InetHandle Open(const char* agent, int accessType, const char* proxy, const char*,
                  std::uint32_t) override {
    Session session;
    session.agent = agent != nullptr ? agent : "";
    if (accessType == kInetOpenTypeProxy) {
      if (proxy == nullptr || *proxy == '\0') return 0;
      session.proxyList = proxy;
    } else if (accessType != kInetOpenTypeDirect) {
      return 0;
    }
    return Add(std::move(session));
  }

  InetHandle Connect(InetHandle sessionHandle, const char* host, int port, const char*, const char*,
                     int service, std::uint32_t, std::uintptr_t) override {
    const auto* session = Find<Session>(sessionHandle);
    if (session == nullptr || service != kInetServiceHttp || host == nullptr ||
        !inet::IsAcceptableHost(host) || port < 1 || port > 65535)
      return 0;
    return Add(Connection{*session, host, port});
  }

  InetHandle OpenRequest(InetHandle connectionHandle, const char* verb, const char* objectName,
                         const char* version, const char*, const char* const*, std::uint32_t flags,
                         std::uintptr_t) override {
    const auto* connection = Find<Connection>(connectionHandle);
    if (connection == nullptr) return 0;
    Request request;
    request.connection = *connection;
    request.verb = verb != nullptr && *verb != '\0' ? verb : "GET";
    request.path = objectName != nullptr && *objectName != '\0' ? objectName : "/";
    if (request.path[0] != '/') request.path = "/" + request.path;
    request.http10 = version != nullptr && std::strcmp(version, "HTTP/1.0") == 0;
    request.flags = flags;
    return Add(std::move(request));
  }

  bool SetOption(InetHandle handle, int option, const void* buffer, std::uint32_t length) override {
    auto* request = Find<Request>(handle);
    if (request == nullptr || option != kInetOptionSecurityFlags || buffer == nullptr ||
        length != sizeof(std::uint32_t))
      return false;
    std::memcpy(&request->securityFlags, buffer, sizeof(std::uint32_t));
    return true;
  }

  bool SendRequest(InetHandle handle, const char* headers, std::uint32_t headersLength,
                   const void* body, std::uint32_t bodyLength) override {
    auto* request = Find<Request>(handle);
    if (request == nullptr || request->answered) return false;
    const Connection& connection = request->connection;
    inet::ExchangeRequest exchange;
    exchange.secure = (request->flags & kInetFlagSecure) != 0;
    exchange.host = connection.host;
    exchange.port = connection.port;
    exchange.path = request->path;
    exchange.verb = request->verb;
    exchange.http10 = request->http10;
    exchange.agent = connection.session.agent;
    exchange.proxyList = connection.session.proxyList;
    if (headers != nullptr) exchange.headerBlock.assign(headers, headersLength);
    exchange.body = body != nullptr ? static_cast<const std::uint8_t*>(body) : nullptr;
    exchange.bodyLength = body != nullptr ? bodyLength : 0;
    exchange.followRedirects = (request->flags & kInetFlagNoAutoRedirect) == 0;
    exchange.platformCookies = (request->flags & kInetFlagNoCookies) == 0;
    inet::ExchangeResult result = inet::PerformExchange(exchange);
    if (!result.ok) return false;
    request->answered = true;
    request->body = std::move(result.body);
    request->headers = std::move(result.headers);
    return true;
  }

  bool ReadFile(InetHandle handle, void* buffer, std::uint32_t size,
                std::uint32_t* bytesRead) override {
    if (bytesRead == nullptr) return false;
    *bytesRead = 0;
    auto* request = Find<Request>(handle);
    if (request == nullptr || !request->answered || buffer == nullptr) return false;
    const std::size_t count =
        std::min<std::size_t>(size, request->body.size() - request->readPosition);
    if (count > 0) std::memcpy(buffer, request->body.data() + request->readPosition, count);
    request->readPosition += count;
    *bytesRead = static_cast<std::uint32_t>(count);
    return true;
  }

  bool QueryInfo(InetHandle handle, int infoLevel, char* buffer, std::uint32_t* length,
                 std::uint32_t*) override {
    const auto* request = Find<Request>(handle);
    if (request == nullptr || !request->answered || infoLevel != kInetQueryRawHeadersCrlf ||
        length == nullptr)
      return false;
    const std::size_t needed = request->headers.size() + 1;
    if (buffer == nullptr || needed > *length) {
      *length = static_cast<std::uint32_t>(std::min<std::size_t>(needed, UINT32_MAX));
      return false;
    }
    std::memcpy(buffer, request->headers.c_str(), needed);
    *length = static_cast<std::uint32_t>(needed - 1);
    return true;
  }

  bool CloseHandle(InetHandle handle) override { return handles_.erase(handle) == 1; }

 private:
  InetHandle Add(HandleObject object) {
    const InetHandle handle = ++lastHandle_;
    handles_.emplace(handle, std::move(object));
    return handle;
  }

  template <typename T>
  T* Find(InetHandle handle) {
    const auto found = handles_.find(handle);
    return found == handles_.end() ? nullptr : std::get_if<T>(&found->second);
  }

  std::map<InetHandle, HandleObject> handles_;
  InetHandle lastHandle_ = 0;
};

}  // namespace

std::unique_ptr<Inet> MakeCurlInet() {
  static std::once_flag initialised;
  std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  return std::make_unique<CurlInet>();
}

}  // namespace dw::platform
