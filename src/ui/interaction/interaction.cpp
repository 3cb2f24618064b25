#include "ui/interaction/interaction.h"

namespace dw::ui {

Interaction::Interaction(std::span<const ControlRecord> layout) : layout_(layout) {}

bool Interaction::IsButton(int control) const {
  return control >= 0 && control < static_cast<int>(layout_.size()) &&
         layout_[control].cls == ControlClass::SuperBtn;
}

void Interaction::SetHot(int control, Actions& out) {
  if (hot_ == control) return;
  int old = hot_;
  hot_ = control;
  if (old >= 0) out.push_back({ActionKind::Repaint, old});
  if (control >= 0) out.push_back({ActionKind::Repaint, control});
}

void Interaction::SetFocus(int control, Actions& out) {
  if (focus_ == control) return;
  int old = focus_;
  focus_ = control;
  if (IsButton(old)) out.push_back({ActionKind::Repaint, old});
  if (IsButton(control)) out.push_back({ActionKind::Repaint, control});
  out.push_back({ActionKind::FocusChanged, control});
}

void Interaction::HideTip(Actions& out) {
  if (tipArmed_) out.push_back({ActionKind::CancelTipTimer});
  if (tipShown_) out.push_back({ActionKind::HideTip});
  tipArmed_ = tipShown_ = false;
}

Actions Interaction::PointerEnter(int control, Point at, bool leftHeld) {
  Actions out;
  under_ = control;
  pointer_ = at;
  if (!IsButton(control)) return out;
  if (pressed_ == control) {
    pressedInside_ = true;
    out.push_back({ActionKind::Repaint, control});
  } else if (active_ && !leftHeld && pressed_ < 0) {
    SetHot(control, out);
    out.push_back({ActionKind::ArmTipTimer, control});
    tipArmed_ = true;
  }
  return out;
}

Actions Interaction::PointerLeave(int control) {
  Actions out;
  if (under_ == control) under_ = -1;
  if (!IsButton(control)) return out;
  if (pressed_ == control && pressedInside_) {
    pressedInside_ = false;
    out.push_back({ActionKind::Repaint, control});
  }
  if (hot_ == control) SetHot(-1, out);
  HideTip(out);
  return out;
}

Actions Interaction::PointerMotion(int control, Point at, bool leftHeld) {
  Actions out;
  pointer_ = at;
  under_ = control;
  if (!IsButton(control) || pressed_ >= 0) return out;
  // Pointed at begins only while the window is active and the left button is up; a
  // pointer that entered with the button held becomes pointing once it moves freed.
  if (hot_ != control && active_ && !leftHeld) SetHot(control, out);
  if (hot_ == control && !tipShown_) {
    out.push_back({ActionKind::ArmTipTimer, control});  // a moving pointer is not resting
    tipArmed_ = true;
  }
  return out;
}

Actions Interaction::LeftPress(int control, Point at) {
  Actions out;
  pointer_ = at;
  HideTip(out);
  if (IsButton(control)) {
    pressed_ = control;
    pressedInside_ = true;
    out.push_back({ActionKind::Repaint, control});
    SetFocus(control, out);
  } else {
    // The window's face, a label or a picture box: the press moves the window.
    out.push_back({ActionKind::StartDrag, control, at});
  }
  return out;
}

Actions Interaction::LeftRelease(bool inside) {
  Actions out;
  if (pressed_ < 0) return out;
  int control = pressed_;
  bool click = pressedInside_ && inside;
  pressed_ = -1;
  pressedInside_ = false;
  out.push_back({ActionKind::Repaint, control});
  if (click) out.push_back({ActionKind::Click, control});
  return out;
}

Actions Interaction::OtherPress() {
  Actions out;
  HideTip(out);
  return out;
}

int Interaction::NextTabStop(bool backwards) const {
  std::vector<int> stops;
  for (int i = 0; i < static_cast<int>(layout_.size()); ++i)
    if (layout_[i].tabStop) stops.push_back(i);
  if (stops.empty()) return -1;
  int at = -1;
  for (int i = 0; i < static_cast<int>(stops.size()); ++i)
    if (stops[i] == focus_) at = i;
  int n = static_cast<int>(stops.size());
  if (at < 0) return backwards ? stops[n - 1] : stops[0];
  return stops[(at + (backwards ? n - 1 : 1)) % n];
}

Actions Interaction::KeyDown(Key key, Modifiers mods) {
  Actions out;
  switch (key) {
    case Key::Escape:
      if (!mods.any()) out.push_back({ActionKind::Close});
      break;
    case Key::Enter:
      if (mods.any() || enterDown_) break;
      enterDown_ = true;
      for (int i = 0; i < static_cast<int>(layout_.size()); ++i)
        if (layout_[i].isDefault) out.push_back({ActionKind::Click, i});
      break;
    case Key::Tab:
      if (mods.ctrl || mods.alt) break;
      SetFocus(NextTabStop(mods.shift), out);
      break;
    case Key::Space:
      if (mods.any() || spaceDown_) break;
      spaceDown_ = true;
      if (IsButton(focus_)) out.push_back({ActionKind::Click, focus_});
      break;
    case Key::Other:
      break;
  }
  return out;
}

Actions Interaction::KeyUp(Key key) {
  if (key == Key::Space) spaceDown_ = false;
  if (key == Key::Enter) enterDown_ = false;
  return {};
}

Actions Interaction::TipTimerExpired() {
  Actions out;
  if (!tipArmed_) return out;  // cancelled meanwhile
  tipArmed_ = false;
  if (hot_ >= 0 && pressed_ < 0 && active_ && !tipShown_) {
    tipShown_ = true;
    out.push_back({ActionKind::ShowTip, hot_, pointer_});
  }
  return out;
}

Actions Interaction::SetActive(bool active) {
  Actions out;
  if (active_ == active) return out;
  active_ = active;
  if (!active) {
    SetHot(-1, out);
    HideTip(out);
  }
  return out;
}

ButtonLook Interaction::Look(int control, Colour background, Colour restCaption) const {
  ButtonLook look{restCaption, background, Edge::Flat, 0, 0};
  if (IsPressed(control)) {
    look.caption = kHotCaption;
    look.edge = Edge::Sunken;
    look.offsetX = kPressedOffsetX;
    look.offsetY = kPressedOffsetY;
  } else if (IsPointedAt(control)) {
    look.caption = kHotCaption;
    look.edge = Edge::Raised;
  }
  return look;
}

}  // namespace dw::ui
