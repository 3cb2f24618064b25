// The main window's layout table.
#pragma once

#include <span>

#include "ui/layout.h"

namespace dw::ui {

const WindowRecord& MainWindowLayout();
std::span<const ControlRecord> MainLayout();

// Layout names used by the handlers.
namespace name {
inline constexpr const char* kWeatherTimer = "时钟_天气";
inline constexpr const char* kPeriodUp = "超级按钮_时钟_增";
inline constexpr const char* kPeriodDown = "超级按钮_时钟_减";
inline constexpr const char* kWeatherIcon = "图片框2";
inline constexpr const char* kWeatherNow = "标签_实时";
inline constexpr const char* kWeatherRange = "标签_天气2";
inline constexpr const char* kWeatherTemp = "标签_天气1";
inline constexpr const char* kCreditTop = "标签_day2";
inline constexpr const char* kCreditBottom = "标签_day1";
inline constexpr const char* kAlphaUp = "超级按钮_透明度_增加";
inline constexpr const char* kAlphaDown = "超级按钮_透明度_降低";
inline constexpr const char* kTime = "标签_time";
inline constexpr const char* kSeconds = "标签_time1";
inline constexpr const char* kCalendar = "农历月历1";
inline constexpr const char* kDate = "标签_day";
inline constexpr const char* kAnimation = "图片框1";
inline constexpr const char* kClockTimer = "时钟1";
}  // namespace name

}  // namespace dw::ui
