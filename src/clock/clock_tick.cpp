#include "clock/clock_tick.h"

#include "clock/calendar_texts.h"
#include "platform/codepage.h"
#include "text/toolkit.h"
#include "ui/main_layout.h"

namespace dw {

namespace {

// Decimal text of a clock component, "0" in front when it is one character long.
Text TwoDigits(int value) {
  Text text = ToText(value);
  if (TextLength(text) == 1) return ConcatText({"0", text});
  return text;
}

// Midnight or a clock change: move the calendar control to the reading's date.
void FollowDate(ui::ControlModel& controls, const platform::LocalTime& now) {
  const int calendar = controls.IndexOf(ui::name::kCalendar);
  if (calendar < 0) return;
  if (controls.Calendar(calendar).date == ui::CalendarDate{now.year, now.month, now.day}) return;
  controls.SetCalendar(ui::name::kCalendar, CalendarTextsFor(now.year, now.month, now.day));
}

}  // namespace

void OnClockTick(Widget& widget) {
  ClockTick(widget, platform::ReadLocalTime());
}

void ClockTick(Widget& widget, const platform::LocalTime& now) {
  using namespace ui;
  static const Text kWeek = Gbk("周");
  ControlModel& controls = widget.controls;
  FollowDate(controls, now);

  const Text weekday =
      ToText(static_cast<int>(controls.ReadInt(name::kCalendar, prop::kCalendarWeekday)));
  const Text month = TwoDigits(now.month);
  const Text day = TwoDigits(now.day);
  const Text hour = TwoDigits(now.hour);
  const Text minute = TwoDigits(now.minute);
  const Text second = TwoDigits(now.second);

  controls.WriteProperty(name::kTime, prop::kLabelCaption, ConcatText({hour, ":", minute}));
  controls.WriteProperty(name::kSeconds, prop::kLabelCaption, second);
  controls.WriteProperty(
      name::kDate, prop::kLabelCaption,
      ConcatText({controls.ReadText(name::kCalendar, prop::kCalendarMonthName),
                  controls.ReadText(name::kCalendar, prop::kCalendarDayName), "\r\n\r\n"}));
  const Text weekdayName = WeekdayName(weekday);
  const Text caption = controls.ReadText(name::kDate, prop::kLabelCaption);
  controls.WriteProperty(name::kDate, prop::kLabelCaption,
                         ConcatText({caption, kWeek, weekdayName, " ", month, "-", day, "\r\n"}));
}

}  // namespace dw
