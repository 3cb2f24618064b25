#include "ui/interaction/timer_schedule.h"

namespace dw::ui {

namespace {
std::int64_t RoundToSecond(std::int64_t ns) {
  std::int64_t t = ns + kNsPerSecond / 2;
  std::int64_t r = t % kNsPerSecond;
  if (r < 0) r += kNsPerSecond;
  return t - r;
}
}  // namespace

bool AlignsToSecond(int periodMs) {
  return periodMs > 0 && periodMs % 1000 == 0;
}

std::int64_t FirstAlignedDue(std::int64_t nowNs, int periodMs) {
  return RoundToSecond(nowNs + std::int64_t{periodMs} * 1'000'000) + kAlignSlackNs;
}

std::int64_t NextAlignedDue(std::int64_t dueNs, std::int64_t nowNs, int periodMs) {
  const std::int64_t period = std::int64_t{periodMs} * 1'000'000;
  std::int64_t next = dueNs + period;
  if (next <= nowNs) next += ((nowNs - next) / period + 1) * period;
  return next;
}

std::int64_t RealignedDue(std::int64_t nowNs, std::int64_t remainingNs) {
  if (remainingNs < 0) remainingNs = 0;
  std::int64_t due = RoundToSecond(nowNs + remainingNs) + kAlignSlackNs;
  while (due <= nowNs) due += kNsPerSecond;
  return due;
}

}  // namespace dw::ui
