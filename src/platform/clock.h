// The system clock, read as local wall-clock time in whole seconds.
#pragma once

namespace dw::platform {

struct LocalTime {
  int year = 0;
  int month = 0;   // 1..12
  int day = 0;     // 1..31
  int hour = 0;    // 0..23
  int minute = 0;  // 0..59
  int second = 0;  // 0..59 (60 only on a leap second the system reports)
};

// One reading of the local time now.
LocalTime ReadLocalTime();

}  // namespace dw::platform
