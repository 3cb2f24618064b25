// The two refresh-period buttons: one minute per click, held within 1..121 minutes.
// Every click that changes or confirms the count rewrites both tips, so neither button
// promises a stale period; the down button keeps working at 121 minutes.
#include "adjust/adjust.h"
#include "platform/codepage.h"
#include "platform/desktop.h"
#include "text/toolkit.h"
#include "ui/main_layout.h"

namespace dw {
namespace {

constexpr std::int32_t kFewestMinutes = 1;
constexpr std::int32_t kMostMinutes = 121;

Text CaptionFor(std::int32_t minutes) {
  static const Text kMinute = Gbk("分");
  return ConcatText({ToText(minutes), kMinute});
}

Text DownTipFor(std::int32_t minutes) {
  static const Text kBefore = Gbk("降低时钟周期,当前:");
  static const Text kAfter = Gbk("分钟刷新一次");
  return ConcatText({kBefore, ToText(minutes), kAfter});
}

Text UpTipFor(std::int32_t minutes) {
  static const Text kBefore = Gbk("增加时钟周期,当前:");
  static const Text kAfter = Gbk("分钟刷新一次");
  return ConcatText({kBefore, ToText(minutes), kAfter});
}

void ShowCount(Widget& w, std::int32_t minutes) {
  w.controls.WriteProperty(ui::name::kPeriodDown, ui::prop::kButtonCaption, CaptionFor(minutes));
  w.controls.WriteProperty(ui::name::kPeriodUp, ui::prop::kButtonCaption, CaptionFor(minutes));
  w.controls.WriteProperty(ui::name::kPeriodDown, ui::prop::kButtonTip, DownTipFor(minutes));
  w.controls.WriteProperty(ui::name::kPeriodUp, ui::prop::kButtonTip, UpTipFor(minutes));
}

void SetCount(Widget& w, std::int32_t minutes) {
  w.state.RefreshMinutes = minutes;
  ShowCount(w, minutes);
  // The timer restarts only when the period really changes.
  w.controls.WriteProperty(ui::name::kWeatherTimer, ui::prop::kTimerPeriod,
                           std::int64_t{minutes} * 60000);
}

}  // namespace

void OnRefreshPeriodDown(Widget& w) {
  std::int32_t minutes = w.state.RefreshMinutes;
  if (minutes == kFewestMinutes) {
    // The caption "无法再降" never reaches the screen before "1分" replaces it: the beep
    // is what the user notices.
    w.controls.WriteProperty(ui::name::kPeriodDown, ui::prop::kButtonCaption, Gbk("无法再降"));
    w.desktop.Beep();
    ShowCount(w, minutes);
  } else if (minutes > kFewestMinutes && minutes <= kMostMinutes) {
    SetCount(w, minutes - 1);
  }
}

void OnRefreshPeriodUp(Widget& w) {
  std::int32_t minutes = w.state.RefreshMinutes;
  if (minutes >= kFewestMinutes && minutes < kMostMinutes) SetCount(w, minutes + 1);
}

}  // namespace dw
