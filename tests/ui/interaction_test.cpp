// The pointer and keyboard rules of the main window on the real layout table.
#include "ui/interaction/interaction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "ui/main_layout.h"

namespace dw::ui {
namespace {

int Index(std::string_view name) {
  auto layout = MainLayout();
  for (int i = 0; i < static_cast<int>(layout.size()); ++i)
    if (name == layout[i].name) return i;
  return -1;
}

bool Has(const Actions& actions, ActionKind kind, int control = -2) {
  return std::any_of(actions.begin(), actions.end(), [&](const Action& a) {
    return a.kind == kind && (control == -2 || a.control == control);
  });
}

constexpr Colour kFace = 0xF0E6DF;

class InteractionTest : public ::testing::Test {
 protected:
  Interaction in{MainLayout()};
  const int up = Index(name::kPeriodUp);
  const int down = Index(name::kPeriodDown);
  const int alphaDown = Index(name::kAlphaDown);
  const int time = Index(name::kTime);
  const int animation = Index(name::kAnimation);
  ButtonLook LookOf(int c) const { return in.Look(c, kFace, kFace); }
};

TEST_F(InteractionTest, PointedAtOnlyWhileActiveAndEnteredWithoutTheButtonHeld) {
  // Inactive window: entering shows nothing.
  EXPECT_FALSE(Has(in.PointerEnter(up, {10, 10}, false), ActionKind::Repaint));
  EXPECT_EQ(LookOf(up).caption, kFace);
  in.PointerLeave(up);

  in.SetActive(true);
  // Entering with the left button held: not pointed at, and no tip.
  Actions held = in.PointerEnter(up, {10, 10}, true);
  EXPECT_TRUE(held.empty());
  EXPECT_FALSE(in.IsPointedAt(up));
  // Once the pointer moves with the button up, it is.
  EXPECT_TRUE(Has(in.PointerMotion(up, {11, 10}, false), ActionKind::Repaint, up));
  EXPECT_EQ(LookOf(up), (ButtonLook{kHotCaption, kFace, Edge::Raised, 0, 0}));
  in.PointerLeave(up);

  Actions enter = in.PointerEnter(down, {10, 40}, false);
  EXPECT_TRUE(Has(enter, ActionKind::Repaint, down));
  EXPECT_TRUE(Has(enter, ActionKind::ArmTipTimer));
  EXPECT_TRUE(in.IsPointedAt(down));
  // Losing the active state ends it.
  EXPECT_TRUE(Has(in.SetActive(false), ActionKind::Repaint, down));
  EXPECT_EQ(LookOf(down).caption, kFace);
}

TEST_F(InteractionTest, ClickTakesFocusAndCaptionHidesWhenThePointerLeaves) {
  in.SetActive(true);
  in.PointerEnter(alphaDown, {60, 120}, false);
  Actions press = in.LeftPress(alphaDown, {60, 120});
  EXPECT_FALSE(Has(press, ActionKind::StartDrag));
  EXPECT_TRUE(Has(press, ActionKind::FocusChanged, alphaDown));
  EXPECT_EQ(LookOf(alphaDown),
            (ButtonLook{kHotCaption, kFace, Edge::Sunken, kPressedOffsetX, kPressedOffsetY}));
  Actions release = in.LeftRelease(true);
  EXPECT_TRUE(Has(release, ActionKind::Click, alphaDown));
  EXPECT_EQ(LookOf(alphaDown).caption, kHotCaption);  // still pointed at
  in.PointerLeave(alphaDown);
  EXPECT_EQ(LookOf(alphaDown), (ButtonLook{kFace, kFace, Edge::Flat, 0, 0}));
  EXPECT_EQ(in.Focus(), alphaDown);
}

TEST_F(InteractionTest, ReleaseAwayFromThePressedButtonIsNoClick) {
  in.SetActive(true);
  in.PointerEnter(up, {60, 190}, false);
  in.LeftPress(up, {60, 190});
  in.PointerLeave(up);
  EXPECT_FALSE(in.IsPressed(up));  // drawn raised no more while the pointer is away
  in.PointerEnter(up, {60, 190}, true);
  EXPECT_TRUE(in.IsPressed(up));  // and pressed again when it comes back
  in.PointerLeave(up);
  EXPECT_FALSE(Has(in.LeftRelease(false), ActionKind::Click));
  // Entering another button with the left button held while pressing elsewhere does not
  // make it pointed at.
  in.LeftPress(up, {60, 190});
  in.PointerEnter(down, {60, 170}, true);
  EXPECT_FALSE(in.IsPointedAt(down));
}

TEST_F(InteractionTest, PressesOnTheFaceLabelsAndPictureBoxesMoveTheWindow) {
  for (int control : {-1, time, animation, Index(name::kWeatherIcon), Index(name::kCreditTop)}) {
    Actions a = in.LeftPress(control, {500, 400});
    ASSERT_EQ(a.size(), 1u) << control;
    EXPECT_EQ(a[0], (Action{ActionKind::StartDrag, control, {500, 400}}));
    EXPECT_TRUE(in.LeftRelease(true).empty());
  }
  EXPECT_EQ(in.Focus(), -1);
}

TEST_F(InteractionTest, EnterClicksTheDefaultButtonWhateverHasTheFocus) {
  in.LeftPress(alphaDown, {0, 0});
  in.LeftRelease(true);
  Actions a = in.KeyDown(Key::Enter, {});
  ASSERT_EQ(a.size(), 1u);
  EXPECT_EQ(a[0], (Action{ActionKind::Click, up}));
  EXPECT_EQ(in.Focus(), alphaDown);  // Enter does not move the focus
  // A held Enter key repeats without clicking again until it is released.
  EXPECT_TRUE(in.KeyDown(Key::Enter, {}).empty());
  in.KeyUp(Key::Enter);
  EXPECT_EQ(in.KeyDown(Key::Enter, {}).size(), 1u);
}

TEST_F(InteractionTest, KeysWithModifiersDoNothing) {
  for (Modifiers m : {Modifiers{true, false, false}, Modifiers{false, true, false},
                      Modifiers{false, false, true}}) {
    EXPECT_TRUE(in.KeyDown(Key::Escape, m).empty());
    EXPECT_TRUE(in.KeyDown(Key::Enter, m).empty());
    EXPECT_TRUE(in.KeyDown(Key::Space, m).empty());
  }
  EXPECT_EQ(in.KeyDown(Key::Escape, {}), (Actions{{ActionKind::Close}}));
  EXPECT_TRUE(in.KeyDown(Key::Other, {}).empty());
}

TEST_F(InteractionTest, TabCyclesTheFiveTabStopsBothWays) {
  const int stops[] = {up, down, Index(name::kAlphaUp), alphaDown, Index(name::kCalendar)};
  for (int round = 0; round < 2; ++round)
    for (int stop : stops) {
      EXPECT_TRUE(Has(in.KeyDown(Key::Tab, {}), ActionKind::FocusChanged, stop));
      EXPECT_EQ(in.Focus(), stop);
    }
  for (int i = 3; i >= 0; --i) {
    in.KeyDown(Key::Tab, {true, false, false});
    EXPECT_EQ(in.Focus(), stops[i]);
  }
  // Shift+Tab from no focus starts at the last stop.
  Interaction fresh{MainLayout()};
  fresh.KeyDown(Key::Tab, {true, false, false});
  EXPECT_EQ(fresh.Focus(), stops[4]);
}

TEST_F(InteractionTest, SpaceClicksTheFocusedButtonOnly) {
  EXPECT_TRUE(in.KeyDown(Key::Space, {}).empty());  // nothing has the focus
  in.KeyUp(Key::Space);
  in.KeyDown(Key::Tab, {});
  in.KeyDown(Key::Tab, {});
  EXPECT_EQ(in.KeyDown(Key::Space, {}), (Actions{{ActionKind::Click, down}}));
  EXPECT_TRUE(in.KeyDown(Key::Space, {}).empty());  // key repeat
  in.KeyUp(Key::Space);
  for (int i = 0; i < 3; ++i) in.KeyDown(Key::Tab, {});
  EXPECT_EQ(in.Focus(), Index(name::kCalendar));
  EXPECT_TRUE(in.KeyDown(Key::Space, {}).empty());  // the calendar is no button
}

TEST_F(InteractionTest, TipShowsAfterRestAndHidesOnPressOrLeave) {
  in.SetActive(true);
  in.PointerEnter(up, {500, 450}, false);
  EXPECT_TRUE(Has(in.PointerMotion(up, {505, 452}, false), ActionKind::ArmTipTimer));
  EXPECT_EQ(in.TipTimerExpired(), (Actions{{ActionKind::ShowTip, up, {505, 452}}}));
  EXPECT_TRUE(in.PointerMotion(up, {506, 452}, false).empty());  // shown: stays
  Actions press = in.LeftPress(up, {506, 452});
  EXPECT_TRUE(Has(press, ActionKind::HideTip));
  in.LeftRelease(true);
  EXPECT_TRUE(in.TipTimerExpired().empty());  // no tip without rest after a click...
  in.PointerMotion(up, {507, 452}, false);
  EXPECT_EQ(in.TipTimerExpired().size(), 1u);  // ...until the pointer rests again
  EXPECT_TRUE(Has(in.PointerLeave(up), ActionKind::HideTip));
  EXPECT_TRUE(in.TipTimerExpired().empty());
  // Another mouse button hides it too.
  in.PointerEnter(down, {500, 420}, false);
  in.TipTimerExpired();
  EXPECT_TRUE(Has(in.OtherPress(), ActionKind::HideTip));
}

}  // namespace
}  // namespace dw::ui
