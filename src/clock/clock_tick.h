// The once-a-second clock tick: time, seconds, lunar date, weekday and date labels.
#pragma once

#include "platform/clock.h"
#include "ui/widget.h"

namespace dw {

// Handler of the clock timer's periodic event: one reading of the local time, then ClockTick.
void OnClockTick(Widget& widget);

// The tick's work for a given reading. When the reading's date is not the date of the lunar
// calendar control, the control is moved to that date first, so the lunar names and the
// weekday always describe today.
void ClockTick(Widget& widget, const platform::LocalTime& now);

// The Chinese name of a weekday number given as text ("1".."7"), "空" for anything else.
Text WeekdayName(const Text& weekday);

}  // namespace dw
