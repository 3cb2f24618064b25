// The main window's created handler and the weather timer's handler.
#include "adjust/adjust.h"
#include "app/app.h"
#include "assets/assets.h"
#include "ui/main_layout.h"
#include "ui/picture/shape.h"
#include "ui/properties.h"
#include "weather/refresh_weather.h"

namespace dw {

namespace {
constexpr ui::Colour kFace = 0xF0E6DF;  // the pale face of the watch picture
constexpr ui::Colour kRing = 0x444444;  // its dark ring
constexpr int kClockPeriodMs = 1000;
constexpr int kMinuteMs = 60000;

ByteSet Bytes(std::span<const std::uint8_t> s) {
  return ByteSet(s.begin(), s.end());
}
}  // namespace

void OnMainWindowCreated(Widget& widget) {
  using namespace ui;
  ControlModel& c = widget.controls;
  RefreshWeather(widget);
  c.WriteProperty(name::kClockTimer, prop::kTimerPeriod, std::int64_t{kClockPeriodMs});
  ui::SetWindowShape(widget.desktop, Bytes(assets::ShapePicture()), 0xFFFFFF);
  widget.state.TransparencyLevel = 255;
  widget.state.RefreshMinutes = 2;
  // The tips promise a refresh every RefreshMinutes from the start, so the weather timer
  // runs from the start too.
  c.WriteProperty(name::kWeatherTimer, prop::kTimerPeriod,
                  std::int64_t{widget.state.RefreshMinutes} * kMinuteMs);
  c.WriteProperty(name::kAnimation, prop::kPicPicture, Bytes(assets::AnimationPicture()));
  c.WriteProperty(name::kTime, prop::kLabelBackground, std::int64_t{kFace});
  c.WriteProperty(name::kSeconds, prop::kLabelBackground, std::int64_t{kFace});
  c.WriteProperty(name::kDate, prop::kLabelBackground, std::int64_t{kFace});
  c.WriteProperty(name::kCreditBottom, prop::kLabelBackground, std::int64_t{kRing});
  c.WriteProperty(name::kCreditBottom, prop::kLabelTextColour, std::int64_t{kFace});
  c.WriteProperty(name::kCreditTop, prop::kLabelBackground, std::int64_t{kRing});
  c.WriteProperty(name::kCreditTop, prop::kLabelTextColour, std::int64_t{kFace});
  c.WriteProperty(name::kWeatherIcon, prop::kPicBackground, std::int64_t{kFace});
}

void OnWeatherTick(Widget& widget) {
  RefreshWeather(widget);
}

}  // namespace dw
