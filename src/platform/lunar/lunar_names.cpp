// The lunar month and day names as the calendar control shows them.
#include <array>

#include "platform/lunar.h"

namespace dw::platform {

std::string LunarMonthName(const LunarDate& date) {
  static constexpr std::array<std::string_view, 12> kMonths = {"正月", "二月", "三月", "四月",
                                                               "五月", "六月", "七月", "八月",
                                                               "九月", "十月", "冬月", "腊月"};
  if (date.month < 1 || date.month > 12) return std::string();
  std::string name = date.leap ? "闰" : "";
  name += kMonths[date.month - 1];
  return name;
}

std::string_view LunarDayName(int day) {
  static constexpr std::array<std::string_view, 30> kDays = {
      "初一", "初二", "初三", "初四", "初五", "初六", "初七", "初八", "初九", "初十",
      "十一", "十二", "十三", "十四", "十五", "十六", "十七", "十八", "十九", "二十",
      "廿一", "廿二", "廿三", "廿四", "廿五", "廿六", "廿七", "廿八", "廿九", "三十"};
  if (day < 1 || day > 30) return std::string_view();
  return kDays[day - 1];
}

}  // namespace dw::platform
