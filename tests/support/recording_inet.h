// A recording fake of the inet operations: every call with its arguments, in order, as one
// line of text; canned answers; a switch to make any of the opening operations fail.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/inet.h"
#include "text/values.h"

namespace dw::test {

class RecordingInet : public platform::Inet {
 public:
  // What the fake does.
  bool failOpen = false, failConnect = false, failRequest = false, failSend = false;
  std::string body;     // handed out by ReadFile after a successful send
  std::string headers;  // written by QueryInfo after a successful send (NUL added)

  // What it saw.
  std::vector<std::string> calls;
  std::string sentHeaders;
  ByteSet sentBody;
  bool sentBodyPointer = false;  // the body address was not null
  std::vector<std::uint32_t> readSizes;

  platform::InetHandle Open(const char* agent, int accessType, const char* proxy,
                            const char* bypass, std::uint32_t flags) override {
    calls.push_back("Open " + Str(agent) + " " + std::to_string(accessType) + " " + Str(proxy) +
                    " " + Str(bypass) + " " + Hex(flags));
    return failOpen ? 0 : 101;
  }
  platform::InetHandle Connect(platform::InetHandle session, const char* host, int port,
                               const char* user, const char* password, int service,
                               std::uint32_t flags, std::uintptr_t context) override {
    calls.push_back("Connect " + std::to_string(session) + " " + Str(host) + " " +
                    std::to_string(port) + " " + Str(user) + " " + Str(password) + " " +
                    std::to_string(service) + " " + Hex(flags) + " " + std::to_string(context));
    return failConnect ? 0 : 202;
  }
  platform::InetHandle OpenRequest(platform::InetHandle connection, const char* verb,
                                   const char* objectName, const char* version,
                                   const char* referrer, const char* const* acceptTypes,
                                   std::uint32_t flags, std::uintptr_t context) override {
    calls.push_back("OpenRequest " + std::to_string(connection) + " " + Str(verb) + " " +
                    Str(objectName) + " " + Str(version) + " " + Str(referrer) + " " +
                    (acceptTypes ? "types" : "null") + " " + Hex(flags) + " " +
                    std::to_string(context));
    return failRequest ? 0 : 303;
  }
  bool SetOption(platform::InetHandle handle, int option, const void* buffer,
                 std::uint32_t length) override {
    std::uint32_t value = 0;
    if (buffer != nullptr && length == 4) std::memcpy(&value, buffer, 4);
    calls.push_back("SetOption " + std::to_string(handle) + " " + std::to_string(option) + " " +
                    std::to_string(value) + " " + std::to_string(length));
    return true;
  }
  bool SendRequest(platform::InetHandle handle, const char* headerBlock,
                   std::uint32_t headersLength, const void* bodyData,
                   std::uint32_t bodyLength) override {
    calls.push_back("SendRequest " + std::to_string(handle) + " " + std::to_string(headersLength) +
                    " " + std::to_string(bodyLength));
    sentHeaders.assign(headerBlock, headersLength);
    sentBodyPointer = bodyData != nullptr;
    const auto* bytes = static_cast<const std::uint8_t*>(bodyData);
    sentBody.assign(bytes, bytes + (bodyData ? bodyLength : 0));
    sent_ = !failSend;
    return sent_;
  }
  bool ReadFile(platform::InetHandle handle, void* buffer, std::uint32_t size,
                std::uint32_t* bytesRead) override {
    calls.push_back("ReadFile " + std::to_string(handle) + " " + std::to_string(size));
    readSizes.push_back(size);
    const std::size_t left = sent_ ? body.size() - position_ : 0;
    const std::size_t count = left < size ? left : size;
    std::memcpy(buffer, body.data() + position_, count);
    position_ += count;
    *bytesRead = static_cast<std::uint32_t>(count);
    return sent_;
  }
  bool QueryInfo(platform::InetHandle handle, int infoLevel, char* buffer, std::uint32_t* length,
                 std::uint32_t* index) override {
    calls.push_back("QueryInfo " + std::to_string(handle) + " " + std::to_string(infoLevel) + " " +
                    std::to_string(*length) + " " + (index ? "index" : "null"));
    if (!sent_) return false;
    if (headers.size() + 1 > *length) {
      *length = static_cast<std::uint32_t>(headers.size() + 1);
      return false;
    }
    std::memcpy(buffer, headers.c_str(), headers.size() + 1);
    *length = static_cast<std::uint32_t>(headers.size());
    return true;
  }
  bool CloseHandle(platform::InetHandle handle) override {
    calls.push_back("Close " + std::to_string(handle));
    return true;
  }

  // The calls whose line begins with the word.
  std::vector<std::string> CallsOf(const std::string& word) const {
    std::vector<std::string> found;
    for (const std::string& call : calls)
      if (call.compare(0, word.size() + 1, word + " ") == 0) found.push_back(call);
    return found;
  }

  static std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
  }

 private:
  static std::string Str(const char* text) {
    return text == nullptr ? "null" : "[" + std::string(text) + "]";
  }
  bool sent_ = false;
  std::size_t position_ = 0;
};

}  // namespace dw::test
