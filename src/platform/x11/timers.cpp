#include "platform/x11/timers.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "ui/interaction/timer_schedule.h"

namespace dw::x11 {

namespace {
std::int64_t Now(clockid_t clock) {
  timespec ts{};
  clock_gettime(clock, &ts);
  return std::int64_t{ts.tv_sec} * ui::kNsPerSecond + ts.tv_nsec;
}
timespec ToTimespec(std::int64_t ns) {
  if (ns < 1) ns = 1;  // 0 would disarm
  return timespec{static_cast<time_t>(ns / ui::kNsPerSecond),
                  static_cast<long>(ns % ui::kNsPerSecond)};
}
}  // namespace

TimerSet::TimerSet() {
  watchFd_ = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
  ArmWatch();
}

TimerSet::~TimerSet() {
  for (auto& [id, t] : timers_)
    if (t.fd >= 0) close(t.fd);
  if (watchFd_ >= 0) close(watchFd_);
}

void TimerSet::ArmWatch() {
  if (watchFd_ < 0) return;
  // Far in the future; it only exists to be cancelled when the wall clock is set.
  itimerspec setting{};
  setting.it_value.tv_sec = Now(CLOCK_REALTIME) / ui::kNsPerSecond + 10LL * 365 * 86400;
  timerfd_settime(watchFd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &setting, nullptr);
}

void TimerSet::ArmAligned(Timer& t, std::int64_t dueReal) {
  // Armed on the monotonic clock with the wait measured on the wall clock: the handler
  // reads the wall clock, and a monotonic wait cannot fire early or in a storm when the two
  // disagree (a clock being set, a faked clock).
  std::int64_t wait = dueReal - Now(CLOCK_REALTIME);
  t.dueReal = dueReal;
  t.dueMono = Now(CLOCK_MONOTONIC) + (wait > 0 ? wait : 0);
  itimerspec setting{};
  setting.it_value = ToTimespec(wait);
  timerfd_settime(t.fd, 0, &setting, nullptr);
}

void TimerSet::SetPeriod(int id, int periodMs) {
  Timer& t = timers_[id];
  if (t.fd < 0) t.fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
  if (t.fd < 0) return;
  t.periodMs = periodMs > 0 ? periodMs : 0;
  t.once = false;
  t.aligned = ui::AlignsToSecond(t.periodMs);
  itimerspec setting{};
  if (t.periodMs == 0) {
    timerfd_settime(t.fd, 0, &setting, nullptr);
    return;
  }
  if (t.aligned) {
    ArmAligned(t, ui::FirstAlignedDue(Now(CLOCK_REALTIME), t.periodMs));
    return;
  }
  setting.it_value = ToTimespec(std::int64_t{t.periodMs} * 1'000'000);
  setting.it_interval = setting.it_value;
  timerfd_settime(t.fd, 0, &setting, nullptr);
}

void TimerSet::SetOnce(int id, int delayMs) {
  Timer& t = timers_[id];
  if (t.fd < 0) t.fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
  if (t.fd < 0) return;
  t.periodMs = 0;
  t.aligned = false;
  t.once = true;
  itimerspec setting{};
  setting.it_value = ToTimespec(std::int64_t{delayMs} * 1'000'000);
  timerfd_settime(t.fd, 0, &setting, nullptr);
}

void TimerSet::Cancel(int id) {
  auto it = timers_.find(id);
  if (it == timers_.end() || it->second.fd < 0) return;
  itimerspec setting{};
  timerfd_settime(it->second.fd, 0, &setting, nullptr);
  it->second.periodMs = 0;
  it->second.once = false;
}

void TimerSet::CollectPollFds(std::vector<pollfd>& fds, std::vector<int>& owners) const {
  if (watchFd_ >= 0) {
    fds.push_back({watchFd_, POLLIN, 0});
    owners.push_back(-1);
  }
  for (const auto& [id, t] : timers_) {
    if (t.fd < 0 || (t.periodMs == 0 && !t.once)) continue;
    fds.push_back({t.fd, POLLIN, 0});
    owners.push_back(id);
  }
}

void TimerSet::Realign() {
  std::int64_t nowReal = Now(CLOCK_REALTIME), nowMono = Now(CLOCK_MONOTONIC);
  for (auto& [id, t] : timers_)
    if (t.aligned && t.periodMs > 0) ArmAligned(t, ui::RealignedDue(nowReal, t.dueMono - nowMono));
}

bool TimerSet::Consume(int id) {
  if (id < 0) {
    std::uint64_t n = 0;
    if (read(watchFd_, &n, sizeof n) < 0 && errno == ECANCELED) {
      ArmWatch();
      Realign();
    }
    return false;
  }
  auto it = timers_.find(id);
  if (it == timers_.end() || it->second.fd < 0) return false;
  Timer& t = it->second;
  std::uint64_t expirations = 0;
  if (read(t.fd, &expirations, sizeof expirations) != sizeof expirations || expirations == 0)
    return false;
  if (t.once) {
    t.once = false;
    return true;
  }
  if (t.periodMs == 0) return false;
  if (t.aligned) {
    // The next one is armed before the handler runs: if the handler blocks past it, it is
    // delivered once right after, then the grid goes on.
    ArmAligned(t, ui::NextAlignedDue(t.dueReal, Now(CLOCK_REALTIME), t.periodMs));
  }
  return true;  // however many periods passed, one event
}

}  // namespace dw::x11
