#include <array>

#include "clock/clock_tick.h"
#include "platform/codepage.h"

namespace dw {

Text WeekdayName(const Text& weekday) {
  // Converted once: a tick does no code-page work.
  static const std::array<Text, 7> kNames = {Gbk("一"), Gbk("二"), Gbk("三"), Gbk("四"),
                                             Gbk("五"), Gbk("六"), Gbk("日")};
  static const Text kNone = Gbk("空");
  static const std::array<Text, 7> kKeys = {"1", "2", "3", "4", "5", "6", "7"};
  for (std::size_t i = 0; i < kKeys.size(); ++i)
    if (weekday == kKeys[i]) return kNames[i];
  return kNone;
}

}  // namespace dw
