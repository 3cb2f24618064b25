// The weather refresh: fetch the search results page, cut out the weather fields and the
// icon, and show them.
#pragma once

#include "ui/widget.h"

namespace dw {

void RefreshWeather(Widget& widget);

}  // namespace dw
