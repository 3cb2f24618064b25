// The created handler's steps in order, the event wiring and the state line, on fakes of the
// desktop and the web.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "assets/assets.h"
#include "platform/codepage.h"
#include "support/recording_inet.h"
#include "ui/main_layout.h"
#include "ui/properties.h"

namespace dw {
namespace {

using Log = std::vector<std::string>;

class LoggingDesktop : public platform::Desktop {
 public:
  explicit LoggingDesktop(Log& log) : log_(log) {}
  void Beep() override { log_.push_back("beep"); }
  void SetWindowAlpha(int level) override { log_.push_back("alpha " + std::to_string(level)); }
  void SetWindowShape(const std::vector<platform::ShapeRect>& rects) override {
    log_.push_back("shape " + std::to_string(rects.size()));
  }

 private:
  Log& log_;
};

class LoggingInet : public test::RecordingInet {
 public:
  explicit LoggingInet(Log& log) : log_(log) { failConnect = true; }
  platform::InetHandle Open(const char* agent, int access, const char* proxy, const char* bypass,
                            std::uint32_t flags) override {
    log_.push_back("web");
    return RecordingInet::Open(agent, access, proxy, bypass, flags);
  }

 private:
  Log& log_;
};

class LoggingObserver : public ui::ControlObserver {
 public:
  LoggingObserver(Log& log, const ui::ControlModel& model) : log_(log), model_(model) {}
  void OnPropertyChanged(int control, int number) override {
    log_.push_back(std::string(model_.Record(control).name) + " " + std::to_string(number));
  }

 private:
  Log& log_;
  const ui::ControlModel& model_;
};

struct Fixture {
  Log log;
  ui::ControlModel controls{ui::MainLayout()};
  LoggingDesktop desktop{log};
  LoggingInet inet{log};
  GlobalState state;
  LoggingObserver observer{log, controls};
  Widget widget{controls, desktop, inet, state};
  Fixture() { controls.SetObserver(&observer); }
};

TEST(CreatedHandler, RunsItsStepsInOrderAndStartsTheWeatherTimer) {
  Fixture f;
  OnMainWindowCreated(f.widget);
  ASSERT_FALSE(f.log.empty());
  EXPECT_EQ(f.log.front(), "web");  // the weather refresh comes first
  Log steps(f.log.begin() + 1, f.log.end());
  while (!steps.empty() && steps.front() == "web") steps.erase(steps.begin());
  ASSERT_GE(steps.size(), 3u);
  EXPECT_EQ(steps[1].rfind("shape ", 0), 0u) << steps[1];
  EXPECT_NE(steps[1], "shape 0");
  steps[1] = "shape";
  const Log expected = {
      "时钟1 8", "shape", "时钟_天气 8", "图片框1 10", "标签_time 17", "标签_time1 17",
      "标签_day 17", "标签_day1 17", "标签_day1 16", "标签_day2 17", "标签_day2 16", "图片框2 9",
  };
  EXPECT_EQ(steps, expected);
  EXPECT_EQ(f.state.RefreshMinutes, 2);
  EXPECT_EQ(f.state.TransparencyLevel, 255);
  EXPECT_EQ(f.controls.ReadInt(ui::name::kClockTimer, ui::prop::kTimerPeriod), 1000);
  EXPECT_EQ(f.controls.ReadInt(ui::name::kWeatherTimer, ui::prop::kTimerPeriod), 120000);
  auto gif = assets::AnimationPicture();
  EXPECT_EQ(f.controls.Picture(f.controls.IndexOf(ui::name::kAnimation)),
            ByteSet(gif.begin(), gif.end()));
  EXPECT_EQ(f.controls.ReadInt(ui::name::kCreditTop, ui::prop::kLabelBackground), 0x444444);
  EXPECT_EQ(f.controls.ReadInt(ui::name::kCreditBottom, ui::prop::kLabelTextColour), 0xF0E6DF);
  EXPECT_EQ(f.controls.ReadInt(ui::name::kWeatherIcon, ui::prop::kPicBackground), 0xF0E6DF);
  // A failed first refresh leaves the weather labels as the layout has them.
  EXPECT_EQ(f.controls.ReadText(ui::name::kWeatherTemp, ui::prop::kLabelCaption), Gbk("NN℃"));
  EXPECT_EQ(StateSummary(f.widget, std::nullopt),
            "refresh_minutes=2 transparency_level=255 weather_period_ms=120000 "
            "clock_period_ms=1000 alpha=none");
}

TEST(EventWiring, EveryRouteNamesAControlOfTheRightClass) {
  ui::ControlModel controls{ui::MainLayout()};
  for (const EventRoute& r : EventWiring()) {
    int i = controls.IndexOf(r.control);
    ASSERT_GE(i, 0) << r.control;
    EXPECT_EQ(controls.Record(i).cls, r.event == platform::ControlEvent::Periodic
                                          ? ui::ControlClass::Timer
                                          : ui::ControlClass::SuperBtn)
        << r.control;
  }
  EXPECT_EQ(EventWiring().size(), 6u);
}

TEST(EventWiring, RoutesClicksAndTicksToTheirHandlersOnly) {
  Fixture f;
  f.state.TransparencyLevel = 255;
  f.state.RefreshMinutes = 2;
  const int alphaDown = f.controls.IndexOf(ui::name::kAlphaDown);
  EXPECT_TRUE(RouteEvent(f.widget, alphaDown, platform::ControlEvent::Clicked));
  EXPECT_EQ(f.state.TransparencyLevel, 230);
  EXPECT_EQ(f.log.back(), "alpha 230");
  EXPECT_EQ(StateSummary(f.widget, 230).substr(StateSummary(f.widget, 230).rfind(' ') + 1),
            "alpha=230");
  // Events nobody is wired to do nothing.
  f.log.clear();
  EXPECT_FALSE(RouteEvent(f.widget, alphaDown, platform::ControlEvent::Periodic));
  EXPECT_FALSE(RouteEvent(f.widget, f.controls.IndexOf(ui::name::kClockTimer),
                          platform::ControlEvent::Clicked));
  EXPECT_FALSE(RouteEvent(f.widget, f.controls.IndexOf(ui::name::kTime),
                          platform::ControlEvent::Clicked));
  EXPECT_FALSE(RouteEvent(f.widget, -1, platform::ControlEvent::Clicked));
  EXPECT_FALSE(RouteEvent(f.widget, 99, platform::ControlEvent::Clicked));
  EXPECT_TRUE(f.log.empty());
  // The clock tick writes the clock labels.
  EXPECT_TRUE(RouteEvent(f.widget, f.controls.IndexOf(ui::name::kClockTimer),
                         platform::ControlEvent::Periodic));
  EXPECT_NE(f.controls.ReadText(ui::name::kDate, ui::prop::kLabelCaption), Gbk("标签"));
}

}  // namespace
}  // namespace dw
