// Timer semantics on real timerfds: one event after a blocked handler, not a backlog; whole
// seconds on the turn of the wall-clock second; stopping.
#include "platform/x11/timers.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <ctime>
#include <thread>

namespace dw::x11 {
namespace {

// Waits up to `ms` for timer `id`; true when it delivered an event.
bool WaitFor(TimerSet& timers, int id, int ms) {
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < until) {
    std::vector<pollfd> fds;
    std::vector<int> owners;
    timers.CollectPollFds(fds, owners);
    int left = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                    until - std::chrono::steady_clock::now())
                                    .count());
    if (poll(fds.data(), fds.size(), left > 0 ? left : 0) <= 0) return false;
    for (std::size_t i = 0; i < fds.size(); ++i)
      if ((fds[i].revents & POLLIN) && timers.Consume(owners[i]) && owners[i] == id) return true;
  }
  return false;
}

double WallFraction() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  return ts.tv_nsec / 1e9;
}

TEST(Timers, ABlockedLoopGetsOneEventThenTheRegularBeat) {
  TimerSet timers;
  timers.SetPeriod(7, 400);
  // A handler blocking past two periods (due at 400 and 800; the next is at 1200).
  std::this_thread::sleep_for(std::chrono::milliseconds(1000));
  EXPECT_TRUE(WaitFor(timers, 7, 10));    // the one pending event, at once
  EXPECT_FALSE(WaitFor(timers, 7, 100));  // no backlog
  EXPECT_TRUE(WaitFor(timers, 7, 300));   // then the regular beat
}

TEST(Timers, WholeSecondsFireJustAfterTheTurnOfTheSecond) {
  TimerSet timers;
  timers.SetPeriod(1, 1000);
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(WaitFor(timers, 1, 1700));
    double f = WallFraction();
    EXPECT_LT(f, 0.1) << i;  // a few milliseconds after the turn
  }
  // Blocked for more than two periods: one event at once, then on the turn again.
  std::this_thread::sleep_for(std::chrono::milliseconds(2300));
  EXPECT_TRUE(WaitFor(timers, 1, 10));
  ASSERT_TRUE(WaitFor(timers, 1, 1100));
  EXPECT_LT(WallFraction(), 0.1);
}

TEST(Timers, ZeroStopsAndOnceFiresOnce) {
  TimerSet timers;
  timers.SetPeriod(3, 50);
  timers.SetPeriod(3, 0);
  EXPECT_FALSE(WaitFor(timers, 3, 150));
  timers.SetOnce(4, 30);
  EXPECT_TRUE(WaitFor(timers, 4, 200));
  EXPECT_FALSE(WaitFor(timers, 4, 100));
  timers.SetOnce(4, 30);
  timers.Cancel(4);
  EXPECT_FALSE(WaitFor(timers, 4, 100));
}

}  // namespace
}  // namespace dw::x11
