// The periodic timers of the control model on timerfds, so that an idle widget sleeps in
// poll(). Timers of whole seconds keep to the wall-clock second (ui/interaction/
// timer_schedule.h); a watch on the wall clock puts them back on the grid when the clock is
// set. A timer that fell behind while a handler blocked delivers one event, not a backlog.
#pragma once

#include <poll.h>

#include <cstdint>
#include <map>
#include <vector>

namespace dw::x11 {

class TimerSet {
 public:
  TimerSet();
  ~TimerSet();
  TimerSet(const TimerSet&) = delete;
  TimerSet& operator=(const TimerSet&) = delete;

  // Gives timer `id` a new period as of now (0: stopped); its first event comes one period
  // later (aligned timers: on the nearest turn of the second).
  void SetPeriod(int id, int periodMs);
  // One-shot delay on timer `id` (for the backend's own timing), replacing any before.
  void SetOnce(int id, int delayMs);
  void Cancel(int id);

  // Adds the descriptors to wait on; `owners` gets the timer id of each (-1: clock watch).
  void CollectPollFds(std::vector<pollfd>& fds, std::vector<int>& owners) const;
  // The descriptor of timer `id` (or the watch, for -1) became readable: true when the
  // timer's event is to be delivered now, once.
  bool Consume(int id);

 private:
  struct Timer {
    int fd = -1;
    int periodMs = 0;
    bool aligned = false;
    bool once = false;
    std::int64_t dueReal = 0;  // aligned: when the event is due, wall clock
    std::int64_t dueMono = 0;  // aligned: the same moment on the monotonic clock
  };
  void ArmAligned(Timer& t, std::int64_t dueReal);
  void ArmWatch();
  void Realign();

  std::map<int, Timer> timers_;
  int watchFd_ = -1;
};

}  // namespace dw::x11
