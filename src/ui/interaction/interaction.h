// How the main window answers the pointer and the keyboard, without any window system:
// which button is pointed at or pressed, who has the keyboard focus, when a press drags the
// window, when a tip shows, which keys close the window or click a button. The backend feeds
// it input and carries out the actions it returns, in order.
#pragma once

#include <span>
#include <vector>

#include "ui/layout.h"

namespace dw::ui {

struct Point {
  int x = 0, y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

enum class Key { Escape, Enter, Tab, Space, Other };

struct Modifiers {
  bool shift = false, ctrl = false, alt = false;
  bool any() const { return shift || ctrl || alt; }
};

enum class ActionKind {
  Repaint,      // the button `control` changed its look
  Click,        // raise the clicked event of `control`
  Close,        // the window closes itself
  StartDrag,    // move the window from the press at `at` (root coordinates)
  ArmTipTimer,  // (re)start the tip delay of kTipDelayMs
  CancelTipTimer,
  ShowTip,  // show the tip of `control` for a pointer at `at` (root coordinates)
  HideTip,
  FocusChanged,  // `control` now has the keyboard focus (-1: none)
};

struct Action {
  ActionKind kind;
  int control = -1;
  Point at = {};
  friend bool operator==(const Action&, const Action&) = default;
};

using Actions = std::vector<Action>;

// How long the pointer rests on a button before its tip shows.
inline constexpr int kTipDelayMs = 500;

// What a button shows, from its state: caption and background colours, its edge and the
// caption offset.
enum class Edge { Flat, Raised, Sunken };
struct ButtonLook {
  Colour caption = 0;
  Colour background = 0;
  Edge edge = Edge::Flat;
  int offsetX = 0, offsetY = 0;
  friend bool operator==(const ButtonLook&, const ButtonLook&) = default;
};

// The caption colour while the pointer is over a button or it is pressed.
inline constexpr Colour kHotCaption = 0x000000;
// The caption shifts this far while the button is pressed.
inline constexpr int kPressedOffsetX = 0, kPressedOffsetY = 2;

class Interaction {
 public:
  explicit Interaction(std::span<const ControlRecord> layout);

  // `control` is the control under the pointer, -1 for the window's own surface. Points are
  // in root coordinates. `leftHeld` tells whether the left button is down.
  Actions PointerEnter(int control, Point at, bool leftHeld);
  Actions PointerLeave(int control);
  Actions PointerMotion(int control, Point at, bool leftHeld);
  Actions LeftPress(int control, Point at);
  // A release of the left button; `inside` tells whether it happened over the pressed
  // control.
  Actions LeftRelease(bool inside);
  // Any other mouse button: it only hides a tip.
  Actions OtherPress();
  Actions KeyDown(Key key, Modifiers mods);
  Actions KeyUp(Key key);
  Actions TipTimerExpired();
  // The main window became the active window, or stopped being it.
  Actions SetActive(bool active);

  ButtonLook Look(int control, Colour background, Colour restCaption) const;
  bool IsPointedAt(int control) const { return hot_ == control && control >= 0; }
  bool IsPressed(int control) const { return pressed_ == control && pressedInside_; }
  int Focus() const { return focus_; }
  bool Active() const { return active_; }

 private:
  bool IsButton(int control) const;
  void SetHot(int control, Actions& out);
  void SetFocus(int control, Actions& out);
  void HideTip(Actions& out);
  int NextTabStop(bool backwards) const;

  std::span<const ControlRecord> layout_;
  bool active_ = false;
  int hot_ = -1;        // the button pointed at
  int under_ = -1;      // the control under the pointer
  Point pointer_ = {};  // last pointer position (root)
  int pressed_ = -1;    // the button the left button went down on
  bool pressedInside_ = false;
  int focus_ = -1;
  bool tipArmed_ = false;
  bool tipShown_ = false;
  bool spaceDown_ = false;  // ignore key repeats of Space until it is released
  bool enterDown_ = false;
};

}  // namespace dw::ui
