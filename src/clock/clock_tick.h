// The once-a-second clock tick: time, seconds, lunar date, weekday and date labels.
#pragma once

#include "ui/widget.h"

namespace dw {

// Handler of the clock timer's periodic event.
void OnClockTick(Widget& widget);

// The Chinese name of a weekday number given as text ("1".."7"), "空" for anything else.
Text WeekdayName(const Text& weekday);

}  // namespace dw
