// When a periodic timer fires. Timers whose period is a whole number of seconds keep to the
// turn of the wall-clock second, just after it, so a once-a-second clock shows every
// seconds value once; the first event still comes about one period after the period was
// written. Times are nanoseconds of the wall clock.
#pragma once

#include <cstdint>

namespace dw::ui {

inline constexpr std::int64_t kNsPerSecond = 1'000'000'000;
// How far after the turn of the second an aligned timer fires: enough for any clock read of
// coarse resolution to show the new second already.
inline constexpr std::int64_t kAlignSlackNs = 5'000'000;

bool AlignsToSecond(int periodMs);

// The first event after the period was written at `now`: the turn of the second nearest to
// now + period (so between half a second and one and a half seconds for 1000 ms), plus the
// slack.
std::int64_t FirstAlignedDue(std::int64_t nowNs, int periodMs);

// The next event after the one due at `due` has been delivered at `now`: one period later,
// or, when a handler blocked past that, the first one of the same grid after now. Missed
// events are not made up: at most one is delivered late.
std::int64_t NextAlignedDue(std::int64_t dueNs, std::int64_t nowNs, int periodMs);

// After the wall clock was set: the same time still to wait, put back on the second grid,
// and never in the past.
std::int64_t RealignedDue(std::int64_t nowNs, std::int64_t remainingNs);

}  // namespace dw::ui
