// Glyphs on a grid 4 units wide and 6 high (descenders go to 8); each glyph is a list of
// polylines, points as "x,y" pairs, polylines separated by '|'.
#include "stroke_font.h"

#include <cstdlib>
#include <string>

namespace artwork {
namespace {

struct Glyph {
  char c;
  double width;
  const char* strokes;
};

constexpr Glyph kGlyphs[] = {
    {'0', 4, "0,0 4,0 4,6 0,6 0,0"},
    {'1', 2, "0,1 1.5,0 1.5,6"},
    {'2', 4, "0,0 4,0 4,3 0,3 0,6 4,6"},
    {'3', 4, "0,0 4,0 4,6 0,6|0.8,3 4,3"},
    {'4', 4, "0,0 0,3.5 4,3.5|3,1.5 3,6"},
    {'5', 4, "4,0 0,0 0,3 4,3 4,6 0,6"},
    {'6', 4, "4,0 0,0 0,6 4,6 4,3 0,3"},
    {'7', 4, "0,0 4,0 4,6"},
    {'8', 4, "0,0 4,0 4,6 0,6 0,0|0,3 4,3"},
    {'9', 4, "4,3 0,3 0,0 4,0 4,6 0,6"},
    {'%', 4, "0,6 4,0|0,0 1.4,0 1.4,1.4 0,1.4 0,0|2.6,4.6 4,4.6 4,6 2.6,6 2.6,4.6"},
    {'.', 0.5, "0.25,6 0.25,6"},
    {':', 0.5, "0.25,1.8 0.25,1.8|0.25,5 0.25,5"},
    {'k', 3, "0,0 0,6|3,2.5 0,4.5 3,6"},
    {'m', 4, "0,6 0,2.5 4,2.5 4,6|2,2.5 2,6"},
    {'h', 3, "0,0 0,6|0,2.5 3,2.5 3,6"},
    {'b', 3, "0,0 0,6 3,6 3,2.5 0,2.5"},
    {'p', 3, "0,8 0,2.5 3,2.5 3,6 0,6"},
    {'C', 3.5, "3.5,0 0,0 0,6 3.5,6"},
    {'\'', 1, "0.5,0 0.5,1.5"},
    {' ', 1.5, ""},
};
constexpr double kGap = 1.6;

const Glyph* Find(char c) {
  for (const Glyph& g : kGlyphs)
    if (g.c == c) return &g;
  return nullptr;
}

}  // namespace

double TextWidth(double height, std::string_view text) {
  const double unit = height / 6;
  double w = 0;
  for (char c : text)
    if (const Glyph* g = Find(c)) w += (g->width + kGap) * unit;
  return w > 0 ? w - kGap * unit : 0;
}

double StrokeText(cairo_t* cr, double x, double y, double height, std::string_view text) {
  const double unit = height / 6;
  for (char c : text) {
    const Glyph* g = Find(c);
    if (!g) continue;
    const char* p = g->strokes;
    bool first = true;
    while (*p) {
      if (*p == '|') {
        first = true;
        ++p;
        continue;
      }
      if (*p == ' ') {
        ++p;
        continue;
      }
      char* end = nullptr;
      const double gx = std::strtod(p, &end);
      p = end + 1;  // the comma
      const double gy = std::strtod(p, &end);
      p = end;
      if (first)
        cairo_move_to(cr, x + gx * unit, y + gy * unit);
      else
        cairo_line_to(cr, x + gx * unit, y + gy * unit);
      first = false;
    }
    x += (g->width + kGap) * unit;
  }
  cairo_stroke(cr);
  return x;
}

}  // namespace artwork
