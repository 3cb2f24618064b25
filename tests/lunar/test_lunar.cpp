// Solar to lunar conversion: known dates, the traps of other tables, the range ends, names.
#include <gtest/gtest.h>

#include "platform/lunar.h"

namespace dw::platform {
namespace {

struct Case {
  CivilDate solar;
  const char* month;  // UTF-8 name, "" outside the covered range
  const char* day;
  int weekday;
};

std::string Describe(const CivilDate& d) {
  return std::to_string(d.year) + "-" + std::to_string(d.month) + "-" + std::to_string(d.day);
}

void ExpectCases(std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(Describe(c.solar));
    auto lunar = SolarToLunar(c.solar);
    EXPECT_EQ(lunar ? LunarMonthName(*lunar) : std::string(), c.month);
    EXPECT_EQ(lunar ? std::string(LunarDayName(lunar->day)) : std::string(), c.day);
    EXPECT_EQ(WeekdayOf(c.solar), c.weekday);
  }
}

TEST(Lunar, NewYearsAndTheDaysBefore) {
  ExpectCases({
      {{2024, 2, 9}, "腊月", "三十", 5},
      {{2024, 2, 10}, "正月", "初一", 6},
      {{2025, 1, 28}, "腊月", "廿九", 2},
      {{2025, 1, 29}, "正月", "初一", 3},
      {{2026, 2, 17}, "正月", "初一", 2},
      {{2027, 2, 5}, "腊月", "廿九", 5},
      {{2027, 2, 6}, "正月", "初一", 6},
      {{2030, 2, 2}, "腊月", "三十", 6},
      {{2030, 2, 3}, "正月", "初一", 7},
  });
}

TEST(Lunar, LeapMonths) {
  ExpectCases({
      {{2023, 3, 21}, "二月", "三十", 2},
      {{2023, 3, 22}, "闰二月", "初一", 3},
      {{2025, 7, 25}, "闰六月", "初一", 5},
      {{2033, 12, 22}, "闰冬月", "初一", 4},
      {{1984, 11, 23}, "闰十月", "初一", 5},
      // where ICU's chinese calendar has no leap month
      {{1917, 3, 23}, "闰二月", "初一", 5},
      {{1922, 6, 25}, "闰五月", "初一", 7},
      {{1987, 7, 26}, "闰六月", "初一", 7},
  });
}

// The months in which the widely copied hexadecimal table is wrong.
TEST(Lunar, MonthsTheCommonTableGetsWrong) {
  ExpectCases({
      {{1933, 7, 22}, "闰五月", "三十", 6},
      {{1933, 7, 23}, "六月", "初一", 7},
      {{1954, 11, 24}, "十月", "廿九", 3},
      {{1954, 11, 25}, "冬月", "初一", 4},
      {{1954, 12, 24}, "冬月", "三十", 5},
      {{1956, 12, 31}, "冬月", "三十", 1},
      {{1957, 1, 1}, "腊月", "初一", 2},
      {{1978, 9, 2}, "七月", "三十", 6},
      {{1978, 9, 3}, "八月", "初一", 7},
  });
}

TEST(Lunar, EndsOfTheCoveredRange) {
  ExpectCases({
      {{1901, 2, 18}, "", "", 1},
      {{1901, 2, 19}, "正月", "初一", 2},
      {{2048, 12, 31}, "冬月", "廿七", 4},
      {{2049, 1, 1}, "", "", 5},
      {{1, 1, 1}, "", "", 1},
  });
}

TEST(Lunar, InvalidDatesGiveNothing) {
  for (CivilDate d : {CivilDate{2023, 2, 29}, CivilDate{1900, 2, 29}, CivilDate{2024, 13, 1},
                      CivilDate{2024, 4, 31}, CivilDate{2024, 1, 0}, CivilDate{0, 1, 1}}) {
    SCOPED_TRACE(Describe(d));
    EXPECT_FALSE(IsValidDate(d));
    EXPECT_FALSE(SolarToLunar(d));
    EXPECT_EQ(WeekdayOf(d), 0);
  }
  EXPECT_TRUE(IsValidDate({2024, 2, 29}));
  EXPECT_TRUE(IsValidDate({2000, 2, 29}));
}

// Every covered day follows the day before: the next lunar day, or day 1 of the next month
// after a month of 29 or 30 days; 12 or 13 months a year. Catches a misread table word.
TEST(Lunar, DaysRunOnWithoutGapsAcrossTheWholeRange) {
  CivilDate d = kFirstLunarDate;
  LunarDate previous = *SolarToLunar(d);
  ASSERT_EQ(previous.year, 1901);
  int monthsInYear = 1;
  for (;;) {
    ++d.day;
    if (!IsValidDate(d)) {
      d.day = 1;
      if (++d.month > 12) d = CivilDate{d.year + 1, 1, 1};
    }
    if (d.year > kLastLunarDate.year) break;
    auto now = SolarToLunar(d);
    ASSERT_TRUE(now) << Describe(d);
    if (now->day == previous.day + 1) {
      ASSERT_EQ(now->month, previous.month);
      ASSERT_EQ(now->leap, previous.leap);
    } else {
      ASSERT_EQ(now->day, 1) << Describe(d);
      ASSERT_TRUE(previous.day == 29 || previous.day == 30) << Describe(d);
      if (now->year != previous.year) {
        ASSERT_EQ(now->year, previous.year + 1);
        ASSERT_TRUE(monthsInYear == 12 || monthsInYear == 13) << previous.year;
        ASSERT_EQ(now->month, 1);
        monthsInYear = 0;
      } else if (now->leap) {
        ASSERT_EQ(now->month, previous.month);
      } else {
        ASSERT_EQ(now->month, previous.month + 1) << Describe(d);
      }
      ++monthsInYear;
    }
    previous = *now;
  }
  EXPECT_EQ(d.year, 2049);
}

TEST(LunarNames, DaysAndMonths) {
  const std::pair<int, const char*> days[] = {
      {1, "初一"},  {9, "初九"},  {10, "初十"}, {11, "十一"}, {19, "十九"}, {20, "二十"},
      {21, "廿一"}, {29, "廿九"}, {30, "三十"}, {0, ""},      {31, ""}};
  for (auto [day, name] : days) EXPECT_EQ(LunarDayName(day), name) << day;

  const char* months[] = {"正月", "二月", "三月", "四月", "五月", "六月",
                          "七月", "八月", "九月", "十月", "冬月", "腊月"};
  for (int m = 1; m <= 12; ++m) {
    EXPECT_EQ(LunarMonthName({2000, m, false, 1}), months[m - 1]);
    EXPECT_EQ(LunarMonthName({2000, m, true, 1}), std::string("闰") + months[m - 1]);
  }
  EXPECT_EQ(LunarMonthName({2000, 0, false, 1}), "");
  EXPECT_EQ(LunarMonthName({2000, 13, true, 1}), "");
}

}  // namespace
}  // namespace dw::platform
