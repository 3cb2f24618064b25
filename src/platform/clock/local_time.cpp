// Local time from the realtime clock. clock_gettime rather than time(): time() can lag the
// real clock by some milliseconds, which would show a second late right after it turns.
#include <time.h>

#include "platform/clock.h"

namespace dw::platform {

LocalTime ReadLocalTime() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  const time_t seconds = now.tv_sec;
  tm local{};
  if (localtime_r(&seconds, &local) == nullptr) return LocalTime{1970, 1, 1, 0, 0, 0};
  return LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                   local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace dw::platform
