// The program's spine: the entry, the created handler, the weather timer's handler and the
// table that routes control events to handlers.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "platform/shell.h"
#include "ui/widget.h"

namespace dw {

// The whole life of the program; its exit code.
int ProgramEntry();

// The main window's created event: brings the widget into its running state before the
// window is first shown.
void OnMainWindowCreated(Widget& widget);

// The weather timer's periodic event.
void OnWeatherTick(Widget& widget);

// One row of the event wiring: which event of which control runs which handler.
struct EventRoute {
  const char* control;
  platform::ControlEvent event;
  void (*handler)(Widget&);
};
std::span<const EventRoute> EventWiring();

// Runs the handler wired to the event, if any; false when none is.
bool RouteEvent(Widget& widget, int control, platform::ControlEvent event);

// The state line of the automation surface:
// "refresh_minutes=N transparency_level=N weather_period_ms=N clock_period_ms=N alpha=none|N".
std::string StateSummary(const Widget& widget, std::optional<int> appliedAlpha);

}  // namespace dw
