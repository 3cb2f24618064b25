// The two transparency buttons: steps of 25 on the alpha scale. The level never leaves the
// applied range 10..255, so a click past either end changes nothing and the buttons never
// build up clicks that must be paid back before the window reacts again.
#include "adjust/adjust.h"
#include "platform/desktop.h"

namespace dw {
namespace {

constexpr int kStep = 25;
constexpr int kMostTransparent = 10;
constexpr int kOpaque = 255;

bool Applicable(int level) {
  return level >= kMostTransparent && level <= kOpaque;
}

void StepLevel(Widget& w, int delta) {
  int level = w.state.TransparencyLevel + delta;
  if (!Applicable(level)) return;
  w.state.TransparencyLevel = level;
  ApplyTransparency(w, level);
}

}  // namespace

void ApplyTransparency(Widget& w, int level) {
  if (!Applicable(level)) return;
  w.desktop.SetWindowAlpha(level);
}

void OnTransparencyDown(Widget& w) {
  StepLevel(w, -kStep);
}
void OnTransparencyUp(Widget& w) {
  StepLevel(w, +kStep);
}

}  // namespace dw
