#include "clock/calendar_texts.h"

#include "platform/codepage.h"
#include "platform/lunar.h"

namespace dw {

ui::CalendarTexts CalendarTextsFor(int year, int month, int day) {
  const platform::CivilDate date{year, month, day};
  ui::CalendarTexts texts;
  texts.date = ui::CalendarDate{year, month, day};
  texts.weekday = platform::WeekdayOf(date);
  if (auto lunar = platform::SolarToLunar(date)) {
    texts.monthName = Gbk(platform::LunarMonthName(*lunar));
    texts.dayName = Gbk(platform::LunarDayName(lunar->day));
  }
  return texts;
}

}  // namespace dw
