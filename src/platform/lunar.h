// Solar to lunar dates for the lunar calendar control, from a compact table of the lunar
// years 1901-2048 (solar dates 1901-02-19 through 2048-12-31). Pure code: no clock, no I/O.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dw::platform {

struct CivilDate {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

struct LunarDate {
  int year = 0;   // the solar year in which this lunar year's first month begins
  int month = 0;  // 1..12
  bool leap = false;
  int day = 0;  // 1..30
};

inline constexpr CivilDate kFirstLunarDate{1901, 2, 19};
inline constexpr CivilDate kLastLunarDate{2048, 12, 31};

// A real date of the Gregorian calendar (years 1..9999).
bool IsValidDate(const CivilDate& date);
// 1 Monday .. 7 Sunday for a valid date, 0 otherwise.
int WeekdayOf(const CivilDate& date);
// The lunar date of a solar date; nothing outside the covered range or for an invalid date.
std::optional<LunarDate> SolarToLunar(const CivilDate& date);

// Names in UTF-8: "闰" before a leap month, 正月 二月 … 十月 冬月 腊月; empty when the month
// is not 1..12.
std::string LunarMonthName(const LunarDate& date);
// 初一 … 初十, 十一 … 十九, 二十, 廿一 … 廿九, 三十; empty when the day is not 1..30.
std::string_view LunarDayName(int day);

}  // namespace dw::platform
