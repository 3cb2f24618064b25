#include "ui/interaction/text_rules.h"

#include <algorithm>

namespace dw::ui {

TextPlan LabelTextPlan(const ControlRecord& label) {
  if (label.singleLine) return TextPlan{false, true, label.align};
  return TextPlan{true, false, label.align};
}

TextPlan ButtonTextPlan() {
  return TextPlan{true, true, HAlign::Centre};
}

BlockOrigin PlaceTextBlock(const TextPlan& plan, int boxWidth, int boxHeight, int textWidth,
                           int textHeight) {
  BlockOrigin o;
  if (!plan.wrap && plan.align == HAlign::Centre) o.x = (boxWidth - textWidth) / 2;
  if (plan.centreVertically) o.y = (boxHeight - textHeight) / 2;
  return o;
}

std::string DisplayLineBreaks(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    char c = utf8[i];
    if (c == '\r') {
      out.push_back('\n');
      if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

namespace {
// The arrow pointer reaches about this far right of and below its hot spot.
constexpr int kPointerWidth = 12, kPointerHeight = 20;
}  // namespace

TipPlace PlaceTip(int pointerX, int pointerY, int width, int height, int screenWidth,
                  int screenHeight) {
  TipPlace p{pointerX + kPointerWidth, pointerY + kPointerHeight};
  if (p.y + height > screenHeight) p.y = pointerY - height - 4;  // above the pointer
  if (p.x + width > screenWidth) p.x = screenWidth - width;
  p.x = std::max(p.x, 0);
  p.y = std::max(p.y, 0);
  return p;
}

}  // namespace dw::ui
