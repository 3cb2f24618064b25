// Which event of which control runs which handler. Nothing else is handled.
#include <cstdio>

#include "adjust/adjust.h"
#include "app/app.h"
#include "clock/clock_tick.h"
#include "ui/main_layout.h"

namespace dw {

namespace {
using platform::ControlEvent;
namespace name = ui::name;

const EventRoute kWiring[] = {
    {name::kClockTimer, ControlEvent::Periodic, OnClockTick},
    {name::kWeatherTimer, ControlEvent::Periodic, OnWeatherTick},
    {name::kPeriodDown, ControlEvent::Clicked, OnRefreshPeriodDown},
    {name::kPeriodUp, ControlEvent::Clicked, OnRefreshPeriodUp},  // also the Enter key
    {name::kAlphaDown, ControlEvent::Clicked, OnTransparencyDown},
    {name::kAlphaUp, ControlEvent::Clicked, OnTransparencyUp},
};
}  // namespace

std::span<const EventRoute> EventWiring() {
  return kWiring;
}

bool RouteEvent(Widget& widget, int control, platform::ControlEvent event) {
  if (control < 0 || control >= widget.controls.Count()) return false;
  std::string_view name = widget.controls.Record(control).name;
  for (const EventRoute& route : kWiring) {
    if (route.event == event && name == route.control) {
      route.handler(widget);
      return true;
    }
  }
  return false;
}

std::string StateSummary(const Widget& widget, std::optional<int> appliedAlpha) {
  const ui::ControlModel& c = widget.controls;
  char line[200];
  std::snprintf(line, sizeof line,
                "refresh_minutes=%d transparency_level=%d weather_period_ms=%d "
                "clock_period_ms=%d alpha=",
                widget.state.RefreshMinutes, widget.state.TransparencyLevel,
                c.Period(c.IndexOf(name::kWeatherTimer)), c.Period(c.IndexOf(name::kClockTimer)));
  std::string s = line;
  s += appliedAlpha ? std::to_string(*appliedAlpha) : "none";
  return s;
}

}  // namespace dw
