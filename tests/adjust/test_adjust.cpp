// The four buttons against the real control model: counts, captions, tips, the weather
// timer's period, the beep, and the applied window alpha, at both ends of each range.
#include <gtest/gtest.h>

#include "adjust/adjust.h"
#include "platform/codepage.h"
#include "support/fake_desktop.h"
#include "ui/main_layout.h"

namespace dw {
namespace {

using ui::name::kPeriodDown;
using ui::name::kPeriodUp;
namespace prop = ui::prop;

struct Fixture {
  ui::ControlModel controls{ui::MainLayout()};
  testing::FakeDesktop desktop;
  testing::OfflineInet inet;
  GlobalState state{2, 255};  // as the created handler leaves them
  Widget widget{controls, desktop, inet, state};

  std::string DownCaption() const {
    return platform::GbkToUtf8(controls.ReadText(kPeriodDown, prop::kButtonCaption));
  }
  std::string UpCaption() const {
    return platform::GbkToUtf8(controls.ReadText(kPeriodUp, prop::kButtonCaption));
  }
  std::string DownTip() const {
    return platform::GbkToUtf8(controls.ReadText(kPeriodDown, prop::kButtonTip));
  }
  std::string UpTip() const {
    return platform::GbkToUtf8(controls.ReadText(kPeriodUp, prop::kButtonTip));
  }
  std::int64_t WeatherPeriod() const {
    return controls.ReadInt(ui::name::kWeatherTimer, prop::kTimerPeriod);
  }
};

TEST(RefreshPeriod, DownFromStartGoesToOneMinuteAndRewritesBothTips) {
  Fixture f;
  OnRefreshPeriodDown(f.widget);
  EXPECT_EQ(f.state.RefreshMinutes, 1);
  EXPECT_EQ(f.DownCaption(), "1分");
  EXPECT_EQ(f.UpCaption(), "1分");
  EXPECT_EQ(f.DownTip(), "降低时钟周期,当前:1分钟刷新一次");
  EXPECT_EQ(f.UpTip(), "增加时钟周期,当前:1分钟刷新一次");
  EXPECT_EQ(f.WeatherPeriod(), 60000);
  EXPECT_EQ(f.desktop.beeps, 0);
}

TEST(RefreshPeriod, DownAtOneMinuteBeepsAndKeepsCountAndTimer) {
  Fixture f;
  OnRefreshPeriodDown(f.widget);
  OnRefreshPeriodDown(f.widget);
  EXPECT_EQ(f.desktop.beeps, 1);
  EXPECT_EQ(f.state.RefreshMinutes, 1);
  EXPECT_EQ(f.DownCaption(), "1分");
  EXPECT_EQ(f.UpCaption(), "1分");
  EXPECT_EQ(f.DownTip(), "降低时钟周期,当前:1分钟刷新一次");
  EXPECT_EQ(f.WeatherPeriod(), 60000);
}

TEST(RefreshPeriod, UpFromStartGoesToThreeMinutes) {
  Fixture f;
  OnRefreshPeriodUp(f.widget);
  EXPECT_EQ(f.state.RefreshMinutes, 3);
  EXPECT_EQ(f.DownCaption(), "3分");
  EXPECT_EQ(f.UpCaption(), "3分");
  EXPECT_EQ(f.UpTip(), "增加时钟周期,当前:3分钟刷新一次");
  EXPECT_EQ(f.DownTip(), "降低时钟周期,当前:3分钟刷新一次");
  EXPECT_EQ(f.WeatherPeriod(), 180000);
}

TEST(RefreshPeriod, UpperEndIs121AndDownStillWorksThere) {
  Fixture f;
  for (int i = 0; i < 119; ++i) OnRefreshPeriodUp(f.widget);
  EXPECT_EQ(f.state.RefreshMinutes, 121);
  EXPECT_EQ(f.WeatherPeriod(), 7260000);
  OnRefreshPeriodUp(f.widget);  // nothing past the top
  EXPECT_EQ(f.state.RefreshMinutes, 121);
  EXPECT_EQ(f.UpCaption(), "121分");
  OnRefreshPeriodDown(f.widget);
  EXPECT_EQ(f.state.RefreshMinutes, 120);
  EXPECT_EQ(f.WeatherPeriod(), 7200000);
  EXPECT_EQ(f.DownCaption(), "120分");
}

TEST(RefreshPeriod, CountsOutsideTheRangeAreLeftAlone) {
  for (std::int32_t start : {0, -3, 122}) {
    Fixture f;
    f.state.RefreshMinutes = start;
    OnRefreshPeriodDown(f.widget);
    OnRefreshPeriodUp(f.widget);
    EXPECT_EQ(f.state.RefreshMinutes, start);
    EXPECT_EQ(f.WeatherPeriod(), 0);
    EXPECT_EQ(f.DownCaption(), "天气↓");
  }
}

TEST(Transparency, StepsWithinTheAppliedRangeOnly) {
  struct Step {
    bool down;
    int level;         // the level after the click
    int appliedCount;  // how many alphas the window has been given so far
  } steps[] = {
      {false, 255, 0},  // up from the start: would leave the range, nothing happens
      {true, 230, 1},  {true, 205, 2}, {true, 180, 3}, {true, 155, 4},
      {true, 130, 5},  {true, 105, 6}, {true, 80, 7},  {true, 55, 8},
      {true, 30, 9},   {true, 30, 9},  // 5 would be below the range: the level stays at 30
      {false, 55, 10},                 // the very next click up applies again
  };
  Fixture f;
  for (const Step& s : steps) {
    if (s.down) {
      OnTransparencyDown(f.widget);
    } else {
      OnTransparencyUp(f.widget);
    }
    EXPECT_EQ(f.state.TransparencyLevel, s.level);
    ASSERT_EQ(static_cast<int>(f.desktop.alphas.size()), s.appliedCount);
    if (s.appliedCount > 0) {
      EXPECT_EQ(f.desktop.alphas.back(), s.level);
    }
  }
}

TEST(Transparency, ApplyHonoursTheBoundsExactly) {
  Fixture f;
  for (int level : {9, 10, 255, 256, -20}) ApplyTransparency(f.widget, level);
  EXPECT_EQ(f.desktop.alphas, (std::vector<int>{10, 255}));
}

}  // namespace
}  // namespace dw
