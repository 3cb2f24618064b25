// How captions are laid out in their controls: which wrap, where the measured block sits,
// and which line breaks of a caption count.
#pragma once

#include <string>
#include <string_view>

#include "ui/layout.h"

namespace dw::ui {

struct TextPlan {
  bool wrap = true;               // wrap within the box width (words; CJK anywhere)
  bool centreVertically = false;  // else the block starts at the top
  HAlign align = HAlign::Centre;  // each line within the box width
};

// A label wraps unless it is a single-line one, which is centred both ways.
TextPlan LabelTextPlan(const ControlRecord& label);
// A button's caption wraps within its width and its block is centred both ways.
TextPlan ButtonTextPlan();

struct BlockOrigin {
  int x = 0, y = 0;
};
// Where a measured block of textWidth × textHeight goes in a box; a wrapped block spans the
// box width (its lines are aligned within it), an unwrapped one is placed by itself. A block
// larger than the box is centred over it and clipped on both sides.
BlockOrigin PlaceTextBlock(const TextPlan& plan, int boxWidth, int boxHeight, int textWidth,
                           int textHeight);

// The caption's line breaks for drawing: CR LF, a lone CR and a lone LF each end a line.
std::string DisplayLineBreaks(std::string_view utf8);

// Where a tip of width × height goes for a pointer at `pointer` on a screen of the given
// size: below and right of the pointer, above it when there is no room below, moved left
// when there is no room on the right, never covering the pointer.
struct TipPlace {
  int x = 0, y = 0;
};
inline constexpr int kTipWrapWidth = 400;
TipPlace PlaceTip(int pointerX, int pointerY, int width, int height, int screenWidth,
                  int screenHeight);

}  // namespace dw::ui
