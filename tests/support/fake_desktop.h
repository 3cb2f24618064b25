// A Desktop that records what the handlers asked of the window system, and an Inet that
// fails every session: for unit tests of handler logic only.
#pragma once

#include <vector>

#include "platform/desktop.h"
#include "platform/inet.h"

namespace dw::testing {

class FakeDesktop : public platform::Desktop {
 public:
  void Beep() override { ++beeps; }
  void SetWindowAlpha(int level) override { alphas.push_back(level); }
  void SetWindowShape(const std::vector<platform::ShapeRect>& r) override { shape = r; }

  int beeps = 0;
  std::vector<int> alphas;
  std::vector<platform::ShapeRect> shape;
};

class OfflineInet : public platform::Inet {
 public:
  platform::InetHandle Open(const char*, int, const char*, const char*, std::uint32_t) override {
    ++opens;
    return 0;
  }
  platform::InetHandle Connect(platform::InetHandle, const char*, int, const char*, const char*,
                               int, std::uint32_t, std::uintptr_t) override {
    return 0;
  }
  platform::InetHandle OpenRequest(platform::InetHandle, const char*, const char*, const char*,
                                   const char*, const char* const*, std::uint32_t,
                                   std::uintptr_t) override {
    return 0;
  }
  bool SetOption(platform::InetHandle, int, const void*, std::uint32_t) override { return false; }
  bool SendRequest(platform::InetHandle, const char*, std::uint32_t, const void*,
                   std::uint32_t) override {
    return false;
  }
  bool ReadFile(platform::InetHandle, void*, std::uint32_t, std::uint32_t* n) override {
    *n = 0;
    return false;
  }
  bool QueryInfo(platform::InetHandle, int, char*, std::uint32_t*, std::uint32_t*) override {
    return false;
  }
  bool CloseHandle(platform::InetHandle) override { return true; }

  int opens = 0;
};

}  // namespace dw::testing
