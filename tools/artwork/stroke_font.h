// A tiny monoline font drawn with cairo strokes: digits and the few letters the watch
// mock-up shows. Drawn from code, so the pictures do not depend on the fonts installed.
#pragma once

#include <cairo.h>

#include <string_view>

namespace artwork {

// Strokes the text with its baseline-free top-left at (x, y); height is the digit height.
// Returns the x after the last glyph.
double StrokeText(cairo_t* cr, double x, double y, double height, std::string_view text);
// The width StrokeText would cover.
double TextWidth(double height, std::string_view text);

}  // namespace artwork
