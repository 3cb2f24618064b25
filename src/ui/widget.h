// What every handler works on: the control model, the window system's few services, the
// web, and the widget's two global values. One instance lives for the whole run.
#pragma once

#include <cstdint>

#include "ui/control_model.h"

namespace dw::platform {
class Desktop;
class Inet;
}  // namespace dw::platform

namespace dw {

struct GlobalState {
  std::int32_t RefreshMinutes = 0;     // weather refresh period in minutes
  std::int32_t TransparencyLevel = 0;  // window alpha level, applied only within 10..255
};

struct Widget {
  ui::ControlModel& controls;
  platform::Desktop& desktop;
  platform::Inet& inet;
  GlobalState& state;
};

}  // namespace dw
