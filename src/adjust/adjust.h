// The four buttons: weather refresh period down/up, window transparency down/up.
#pragma once

#include "ui/widget.h"

namespace dw {

void OnRefreshPeriodDown(Widget& widget);
void OnRefreshPeriodUp(Widget& widget);
void OnTransparencyDown(Widget& widget);
void OnTransparencyUp(Widget& widget);
// Hands a level to the window only while it lies within 10..255.
void ApplyTransparency(Widget& widget, int level);

}  // namespace dw
