// The lunar calendar control's texts for a solar date.
#pragma once

#include "ui/control_model.h"

namespace dw {

// GBK month name, day name and weekday (1 Monday .. 7 Sunday) of a solar date. Outside the
// covered range (1901-02-19 .. 2048-12-31) the names are empty; the weekday is 0 only for a
// date that does not exist.
ui::CalendarTexts CalendarTextsFor(int year, int month, int day);

}  // namespace dw
