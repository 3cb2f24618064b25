// Walks the generated year table from the lunar New Year to the asked date.
#include "platform/lunar.h"

#include "platform/lunar/lunar_table.h"

namespace dw::platform {

namespace {

bool IsLeapYear(int y) {
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// Days since 1970-01-01 (civil-from-days inverse, proleptic Gregorian).
long DayNumber(int y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153L * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

}  // namespace

bool IsValidDate(const CivilDate& date) {
  return date.year >= 1 && date.year <= 9999 && date.month >= 1 && date.month <= 12 &&
         date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
}

int WeekdayOf(const CivilDate& date) {
  if (!IsValidDate(date)) return 0;
  // 1970-01-01 was a Thursday.
  const long days = DayNumber(date.year, date.month, date.day);
  return static_cast<int>(((days % 7) + 7 + 3) % 7) + 1;
}

std::optional<LunarDate> SolarToLunar(const CivilDate& date) {
  using namespace lunar_table;
  if (!IsValidDate(date)) return std::nullopt;
  const long day = DayNumber(date.year, date.month, date.day);
  if (day < DayNumber(kFirstLunarDate.year, kFirstLunarDate.month, kFirstLunarDate.day) ||
      day > DayNumber(kLastLunarDate.year, kLastLunarDate.month, kLastLunarDate.day))
    return std::nullopt;

  // The lunar year is the solar year or the one before it, whichever New Year came last.
  int index = date.year - kFirstYear;
  if (index >= kYearCount) index = kYearCount - 1;
  long newYear = DayNumber(kFirstYear + index, 1, 1) + NewYearOffset(kYears[index]);
  if (day < newYear) {
    --index;
    newYear = DayNumber(kFirstYear + index, 1, 1) + NewYearOffset(kYears[index]);
  }
  const std::uint32_t word = kYears[index];
  const int leapMonth = LeapMonth(word);
  const int months = leapMonth ? 13 : 12;
  long offset = day - newYear;
  int number = 0;
  for (int k = 0; k < months; ++k) {
    const bool leap = leapMonth != 0 && k == leapMonth;
    if (!leap) ++number;
    const int length = (MonthLengthsBits(word) >> k) & 1 ? 30 : 29;
    if (offset < length)
      return LunarDate{kFirstYear + index, number, leap, static_cast<int>(offset) + 1};
    offset -= length;
  }
  return std::nullopt;  // not reached for a consistent table
}

}  // namespace dw::platform
