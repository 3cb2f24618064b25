// The clock tick on the real control model of the main window.
#include <gtest/gtest.h>

#include "clock/calendar_texts.h"
#include "clock/clock_tick.h"
#include "platform/codepage.h"
#include "support/fake_desktop.h"
#include "ui/main_layout.h"

namespace dw {
namespace {

class ClockTickTest : public ::testing::Test {
 protected:
  Text Caption(const char* label) const {
    return controls.ReadText(label, ui::prop::kLabelCaption);
  }
  // The date label as it must read: lunar month and day, blank line, weekday and MM-DD.
  static Text DateCaption(const char* month, const char* day, const char* weekday,
                          const char* mmdd) {
    return Gbk(month) + Gbk(day) + "\r\n\r\n" + Gbk("周") + Gbk(weekday) + " " + mmdd + "\r\n";
  }

  ui::ControlModel controls{ui::MainLayout()};
  testing::FakeDesktop desktop;  // the clock touches neither the desktop nor the web
  testing::OfflineInet inet;
  GlobalState state;
  Widget widget{controls, desktop, inet, state};
};

TEST_F(ClockTickTest, CaptionsOfOneReading) {
  struct Case {
    platform::LocalTime now;
    const char* time;
    const char* seconds;
    Text date;
  };
  const Case cases[] = {
      {{2025, 3, 3, 9, 5, 7}, "09:05", "07", DateCaption("二月", "初四", "一", "03-03")},
      {{2026, 1, 1, 0, 0, 0}, "00:00", "00", DateCaption("冬月", "十三", "四", "01-01")},
      {{2024, 2, 11, 23, 59, 59}, "23:59", "59", DateCaption("正月", "初二", "日", "02-11")},
      {{2023, 3, 22, 12, 10, 30}, "12:10", "30", DateCaption("闰二月", "初一", "三", "03-22")},
      // outside the calendar's range: no lunar names, the weekday still right
      {{1900, 6, 1, 8, 0, 9}, "08:00", "09", DateCaption("", "", "五", "06-01")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.time);
    ClockTick(widget, c.now);
    EXPECT_EQ(Caption(ui::name::kTime), c.time);
    EXPECT_EQ(Caption(ui::name::kSeconds), c.seconds);
    EXPECT_EQ(Caption(ui::name::kDate), c.date);
  }
}

// The label is built from the calendar control's three properties as they stand.
TEST_F(ClockTickTest, DateLabelComesFromTheCalendarProperties) {
  controls.SetCalendar(ui::name::kCalendar, {Gbk("冬月"), Gbk("初五"), 1, {2024, 12, 16}});
  ClockTick(widget, {2024, 12, 16, 10, 0, 0});
  EXPECT_EQ(Caption(ui::name::kDate), DateCaption("冬月", "初五", "一", "12-16"));

  controls.SetCalendar(ui::name::kCalendar, {Gbk("腊月"), Gbk("三十"), 0, {2024, 12, 16}});
  ClockTick(widget, {2024, 12, 16, 10, 0, 1});
  EXPECT_EQ(Caption(ui::name::kDate), DateCaption("腊月", "三十", "空", "12-16"));
}

// Across midnight into the lunar New Year 2027 the names and the weekday move with the date.
TEST_F(ClockTickTest, CalendarFollowsTheDateAcrossMidnight) {
  controls.SetCalendar(ui::name::kCalendar, CalendarTextsFor(2027, 2, 5));
  ClockTick(widget, {2027, 2, 5, 23, 59, 59});
  EXPECT_EQ(Caption(ui::name::kDate), DateCaption("腊月", "廿九", "五", "02-05"));
  ClockTick(widget, {2027, 2, 6, 0, 0, 0});
  EXPECT_EQ(Caption(ui::name::kTime), "00:00");
  EXPECT_EQ(Caption(ui::name::kDate), DateCaption("正月", "初一", "六", "02-06"));
  EXPECT_EQ(controls.ReadInt(ui::name::kCalendar, ui::prop::kCalendarWeekday), 6);
  // A clock set back a day goes back too.
  ClockTick(widget, {2027, 2, 5, 0, 0, 1});
  EXPECT_EQ(Caption(ui::name::kDate), DateCaption("腊月", "廿九", "五", "02-05"));
}

TEST_F(ClockTickTest, OnClockTickReadsTheSystemClock) {
  const platform::LocalTime before = platform::ReadLocalTime();
  OnClockTick(widget);
  const platform::LocalTime after = platform::ReadLocalTime();
  const Text time = Caption(ui::name::kTime);
  ASSERT_EQ(time.size(), 5u);
  EXPECT_EQ(time[2], ':');
  EXPECT_EQ(Caption(ui::name::kSeconds).size(), 2u);
  const ui::CalendarDate shown = controls.Calendar(controls.IndexOf(ui::name::kCalendar)).date;
  EXPECT_TRUE(shown == (ui::CalendarDate{before.year, before.month, before.day}) ||
              shown == (ui::CalendarDate{after.year, after.month, after.day}));
}

TEST(WeekdayName, Table) {
  const std::pair<const char*, const char*> cases[] = {
      {"1", "一"},  {"2", "二"},  {"3", "三"},  {"4", "四"},  {"5", "五"},
      {"6", "六"},  {"7", "日"},  {"", "空"},   {"0", "空"},  {"8", "空"},
      {"11", "空"}, {"1 ", "空"}, {" 7", "空"}, {"-1", "空"}, {"01", "空"}};
  for (auto [number, name] : cases) EXPECT_EQ(WeekdayName(number), Gbk(name)) << number;
}

TEST(CalendarTextsFor, NamesWeekdayAndDate) {
  const ui::CalendarTexts t = CalendarTextsFor(2033, 12, 22);
  EXPECT_EQ(t.monthName, Gbk("闰冬月"));
  EXPECT_EQ(t.dayName, Gbk("初一"));
  EXPECT_EQ(t.weekday, 4);
  EXPECT_EQ(t.date, (ui::CalendarDate{2033, 12, 22}));
  const ui::CalendarTexts none = CalendarTextsFor(2049, 1, 1);
  EXPECT_EQ(none.monthName, "");
  EXPECT_EQ(none.dayName, "");
  EXPECT_EQ(none.weekday, 5);
}

}  // namespace
}  // namespace dw
