// When the periodic timers fire.
#include "ui/interaction/timer_schedule.h"

#include <gtest/gtest.h>

namespace dw::ui {
namespace {

constexpr std::int64_t kMs = 1'000'000;
constexpr std::int64_t T0 = 1'700'000'000LL * kNsPerSecond;  // a turn of the second

TEST(TimerSchedule, WholeSecondsAlign) {
  EXPECT_TRUE(AlignsToSecond(1000));
  EXPECT_TRUE(AlignsToSecond(120000));
  EXPECT_FALSE(AlignsToSecond(1500));
  EXPECT_FALSE(AlignsToSecond(0));
  EXPECT_FALSE(AlignsToSecond(-1000));
}

TEST(TimerSchedule, FirstEventAboutOnePeriodAfterTheWriteOnTheTurnOfASecond) {
  struct Case {
    std::int64_t writtenAt, due;
  } cases[] = {
      {T0 + 300 * kMs, T0 + kNsPerSecond + kAlignSlackNs},
      {T0 + 700 * kMs, T0 + 2 * kNsPerSecond + kAlignSlackNs},
      {T0, T0 + kNsPerSecond + kAlignSlackNs},
      {T0 + 499 * kMs, T0 + kNsPerSecond + kAlignSlackNs},
  };
  for (const Case& c : cases) {
    std::int64_t due = FirstAlignedDue(c.writtenAt, 1000);
    EXPECT_EQ(due, c.due) << (c.writtenAt - T0) / kMs;
    EXPECT_GE(due - c.writtenAt, 500 * kMs);
    EXPECT_LE(due - c.writtenAt, 1500 * kMs + kAlignSlackNs);
  }
  EXPECT_EQ(FirstAlignedDue(T0 + 200 * kMs, 120000), T0 + 120 * kNsPerSecond + kAlignSlackNs);
}

TEST(TimerSchedule, AfterABlockingHandlerOneEventThenBackOnTheGrid) {
  const std::int64_t due = T0 + kAlignSlackNs;
  // On time: one period later.
  EXPECT_EQ(NextAlignedDue(due, due + 1 * kMs, 1000), due + kNsPerSecond);
  // The handler blocked 4.3 s: the next is on the grid after now, nothing made up.
  EXPECT_EQ(NextAlignedDue(due, due + 4300 * kMs, 1000), due + 5 * kNsPerSecond);
  EXPECT_EQ(NextAlignedDue(due, due + kNsPerSecond, 1000), due + 2 * kNsPerSecond);
}

TEST(TimerSchedule, ClockSetKeepsTheWaitOnTheGrid) {
  EXPECT_EQ(RealignedDue(T0 + 100 * kMs, 900 * kMs), T0 + kNsPerSecond + kAlignSlackNs);
  EXPECT_EQ(RealignedDue(T0 + 100 * kMs, 61 * kNsPerSecond),
            T0 + 61 * kNsPerSecond + kAlignSlackNs);
  // Nothing left to wait: the next turn of the second.
  EXPECT_EQ(RealignedDue(T0 + 700 * kMs, -5 * kMs), T0 + kNsPerSecond + kAlignSlackNs);
  EXPECT_EQ(RealignedDue(T0 + 200 * kMs, 0), T0 + kNsPerSecond + kAlignSlackNs);
}

}  // namespace
}  // namespace dw::ui
