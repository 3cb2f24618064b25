// One clock tick's text work on the real control model: the usual tick (same date) and the
// tick that crosses midnight and moves the lunar calendar.
#include <benchmark/benchmark.h>

#include "clock/clock_tick.h"
#include "platform/desktop.h"
#include "platform/inet.h"
#include "ui/main_layout.h"

namespace {

struct NoDesktop : dw::platform::Desktop {
  void Beep() override {}
  void SetWindowAlpha(int) override {}
  void SetWindowShape(const std::vector<dw::platform::ShapeRect>&) override {}
};

struct NoInet : dw::platform::Inet {
  dw::platform::InetHandle Open(const char*, int, const char*, const char*,
                                std::uint32_t) override {
    return 0;
  }
  dw::platform::InetHandle Connect(dw::platform::InetHandle, const char*, int, const char*,
                                   const char*, int, std::uint32_t, std::uintptr_t) override {
    return 0;
  }
  dw::platform::InetHandle OpenRequest(dw::platform::InetHandle, const char*, const char*,
                                       const char*, const char*, const char* const*, std::uint32_t,
                                       std::uintptr_t) override {
    return 0;
  }
  bool SetOption(dw::platform::InetHandle, int, const void*, std::uint32_t) override {
    return false;
  }
  bool SendRequest(dw::platform::InetHandle, const char*, std::uint32_t, const void*,
                   std::uint32_t) override {
    return false;
  }
  bool ReadFile(dw::platform::InetHandle, void*, std::uint32_t, std::uint32_t*) override {
    return false;
  }
  bool QueryInfo(dw::platform::InetHandle, int, char*, std::uint32_t*, std::uint32_t*) override {
    return false;
  }
  bool CloseHandle(dw::platform::InetHandle) override { return false; }
};

struct Fixture {
  dw::ui::ControlModel controls{dw::ui::MainLayout()};
  NoDesktop desktop;
  NoInet inet;
  dw::GlobalState state;
  dw::Widget widget{controls, desktop, inet, state};
};

void BM_ClockTick(benchmark::State& s) {
  Fixture f;
  dw::platform::LocalTime now{2024, 12, 16, 9, 5, 7};
  for (auto _ : s) {
    now.second = (now.second + 1) % 60;
    dw::ClockTick(f.widget, now);
  }
}
BENCHMARK(BM_ClockTick);

void BM_ClockTickNewDate(benchmark::State& s) {
  Fixture f;
  dw::platform::LocalTime now{2027, 2, 5, 0, 0, 0};
  for (auto _ : s) {
    now.day = now.day == 5 ? 6 : 5;
    dw::ClockTick(f.widget, now);
  }
}
BENCHMARK(BM_ClockTickNewDate);

void BM_OnClockTick(benchmark::State& s) {
  Fixture f;
  for (auto _ : s) dw::OnClockTick(f.widget);
}
BENCHMARK(BM_OnClockTick);

}  // namespace

BENCHMARK_MAIN();
