// The watch face: the shape picture (the disc on white) and the background picture (ring,
// face and a grey mock-up of a sports watch around the places where the controls sit).
#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "artwork.h"
#include "stroke_font.h"

namespace artwork {
namespace {

constexpr int kSize = 340;

struct Colour {
  double r, g, b;
};
constexpr Colour kRing{68 / 255.0, 68 / 255.0, 68 / 255.0};
constexpr Colour kFace{223 / 255.0, 230 / 255.0, 240 / 255.0};
constexpr Colour kInk{146 / 255.0, 153 / 255.0, 166 / 255.0};   // mock-up symbols and digits
constexpr Colour kLine{192 / 255.0, 199 / 255.0, 211 / 255.0};  // dividers
constexpr Colour kTick{128 / 255.0, 128 / 255.0, 128 / 255.0};  // marks on the ring

void Set(cairo_t* cr, Colour c) {
  cairo_set_source_rgb(cr, c.r, c.g, c.b);
}

// Fraction of pixel (px, py) of the shape picture inside the disc, by 16 × 16 samples.
double DiscCoverage(int px, int py) {
  // The shape picture sits at the window's outer top-left.
  const double cx = kDiscCentreX + kFrame, cy = kDiscCentreY + kFrame;
  int inside = 0;
  for (int sy = 0; sy < 16; ++sy)
    for (int sx = 0; sx < 16; ++sx) {
      const double dx = px + (sx + 0.5) / 16 - cx, dy = py + (sy + 0.5) / 16 - cy;
      inside += dx * dx + dy * dy <= kDiscRadius * kDiscRadius;
    }
  return inside / 256.0;
}

// --- mock-up symbols, each drawn around its own centre ---

void Rocket(cairo_t* cr, double x, double y) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, M_PI / 4);  // flying up and to the right
  cairo_set_line_width(cr, 1.4);
  // Body: a pointed capsule.
  cairo_move_to(cr, 0, -11);
  cairo_curve_to(cr, 5, -6, 4.5, 2, 3.5, 6);
  cairo_line_to(cr, -3.5, 6);
  cairo_curve_to(cr, -4.5, 2, -5, -6, 0, -11);
  cairo_close_path(cr);
  cairo_stroke(cr);
  cairo_arc(cr, 0, -3, 1.8, 0, 2 * M_PI);  // window
  cairo_stroke(cr);
  // Fins.
  cairo_move_to(cr, -3.7, 1);
  cairo_line_to(cr, -7, 7);
  cairo_line_to(cr, -3.5, 6);
  cairo_move_to(cr, 3.7, 1);
  cairo_line_to(cr, 7, 7);
  cairo_line_to(cr, 3.5, 6);
  cairo_stroke(cr);
  // Flame.
  cairo_move_to(cr, -2, 8);
  cairo_line_to(cr, 0, 12);
  cairo_line_to(cr, 2, 8);
  cairo_fill(cr);
  cairo_restore(cr);
}

void Sun(cairo_t* cr, double x, double y) {
  cairo_set_line_width(cr, 1.4);
  cairo_arc(cr, x, y, 3.6, 0, 2 * M_PI);
  cairo_fill(cr);
  for (int i = 0; i < 8; ++i) {
    const double a = i * M_PI / 4;
    cairo_move_to(cr, x + 5.6 * std::cos(a), y + 5.6 * std::sin(a));
    cairo_line_to(cr, x + 8 * std::cos(a), y + 8 * std::sin(a));
  }
  cairo_stroke(cr);
}

void Heart(cairo_t* cr, double x, double y) {
  cairo_move_to(cr, x, y + 6);
  cairo_curve_to(cr, x - 9, y - 1, x - 5, y - 7, x, y - 3);
  cairo_curve_to(cr, x + 5, y - 7, x + 9, y - 1, x, y + 6);
  cairo_fill(cr);
}

void Footprints(cairo_t* cr, double x, double y) {
  auto sole = [cr](double cx, double cy, double tilt) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, tilt);
    cairo_scale(cr, 2.4, 4.6);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_fill(cr);
  };
  sole(x - 3.2, y - 2, -0.25);
  sole(x + 3.2, y + 2, 0.25);
}

// A crescent: a disc with a face-coloured disc taken out of its upper right.
void Moon(cairo_t* cr, double x, double y) {
  cairo_save(cr);
  cairo_arc(cr, x, y, 6, 0, 2 * M_PI);
  cairo_clip_preserve(cr);
  cairo_fill(cr);
  Set(cr, kFace);
  cairo_arc(cr, x + 3.4, y - 2.6, 5.2, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_restore(cr);
}

void Pin(cairo_t* cr, double x, double y) {
  cairo_move_to(cr, x, y + 7);
  cairo_curve_to(cr, x - 3, y + 2, x - 5.5, y - 0.5, x - 5.5, y - 2.5);
  cairo_arc(cr, x, y - 2.5, 5.5, M_PI, 2 * M_PI);
  cairo_curve_to(cr, x + 5.5, y - 0.5, x + 3, y + 2, x, y + 7);
  cairo_close_path(cr);
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, x, y - 2.5, 2, 2 * M_PI, 0);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_fill(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

void Line(cairo_t* cr, double x0, double y0, double x1, double y1) {
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_stroke(cr);
}

void Text(cairo_t* cr, double x, double y, const char* text) {
  cairo_set_line_width(cr, 1.3);
  StrokeText(cr, x, y, 8, text);
}

// The grey mock-up. Every mark keeps clear of the rectangles where the layout puts its
// labels, buttons and picture boxes, so those sit on plain face colour.
void MockUp(cairo_t* cr) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  Set(cr, kInk);
  // Battery: a rocket and its charge, left of the weather.
  Rocket(cr, 90, 91);
  Text(cr, 102, 87, "76%");
  // Weather panel: the sun beside the temperatures, a divider under them.
  Sun(cr, 134, 72);
  Set(cr, kLine);
  cairo_set_line_width(cr, 1);
  Line(cr, 150, 95, 222, 95);
  // The lunar date and weekday sit under a divider of their own.
  Line(cr, 228, 154, 286, 154);
  // Health: heart rate and steps, then sleep and distance.
  Line(cr, 96, 264, 244, 264);
  // A step-goal gauge along the lower edge of the face: segments, the first ones done.
  cairo_set_line_width(cr, 3);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  for (int i = 0; i < 16; ++i) {
    // Segments of 3.5° every 5°, clockwise from 8 o'clock to 4 o'clock (angles in cairo's
    // sense: 0 at 3 o'clock, growing clockwise).
    const double end = (130.0 - i * 5.0) * M_PI / 180, start = end - 3.5 * M_PI / 180;
    Set(cr, i < 11 ? kInk : kLine);
    cairo_arc(cr, kDiscCentreX, kDiscCentreY, 130, start, end);
    cairo_stroke(cr);
  }
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 1);
  Set(cr, kInk);
  Heart(cr, 86, 248);
  Text(cr, 97, 244, "72bpm");
  Footprints(cr, 176, 248);
  Text(cr, 186, 244, "8536");
  Moon(cr, 114, 277);
  Text(cr, 125, 273, "7h25m");
  Pin(cr, 184, 277);
  Text(cr, 194, 273, "5.8km");
}

}  // namespace

RgbaImage DrawShape() {
  RgbaImage image{kSize, kSize, std::vector<std::uint8_t>(kSize * kSize * 4)};
  // Ring colour to the very edge: the face is far inside, and only the ring meets white.
  const double ringEdge = kDiscRadius - 24.5;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      std::uint8_t* p = &image.rgba[(static_cast<std::size_t>(y) * kSize + x) * 4];
      const double cov = DiscCoverage(x, y);
      const double dx = x + 0.5 - (kDiscCentreX + kFrame), dy = y + 0.5 - (kDiscCentreY + kFrame);
      const double r = std::sqrt(dx * dx + dy * dy);
      int c[3] = {255, 255, 255};
      if (cov >= 0.5) {
        // A pixel at least half inside belongs to the disc. Face inside, ring around it (a
        // one-pixel blend between), the edge mixed with white but never white itself.
        const double faceShare = std::clamp(ringEdge + 0.5 - r, 0.0, 1.0);
        const int ring[3] = {68, 68, 68}, face[3] = {223, 230, 240};
        for (int i = 0; i < 3; ++i) {
          const double inner = faceShare * face[i] + (1 - faceShare) * ring[i];
          c[i] = std::min(254, static_cast<int>(std::lround(cov * inner + (1 - cov) * 255)));
        }
      }
      p[0] = static_cast<std::uint8_t>(c[0]);
      p[1] = static_cast<std::uint8_t>(c[1]);
      p[2] = static_cast<std::uint8_t>(c[2]);
      p[3] = 255;
    }
  return image;
}

RgbaImage DrawBackground() {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kSize, kSize);
  cairo_t* cr = cairo_create(surface);
  // Draw in client coordinates: the picture is shown scaled by 334/340 from the client origin.
  cairo_scale(cr, kClientToPicture, kClientToPicture);
  const double cx = kDiscCentreX, cy = kDiscCentreY;
  // The ring reaches one pixel beyond the window's disc, so no transparent fringe shows.
  Set(cr, kRing);
  cairo_arc(cr, cx, cy, kDiscRadius + 1, 0, 2 * M_PI);
  cairo_fill(cr);
  Set(cr, kFace);
  cairo_arc(cr, cx, cy, kFaceRadius, 0, 2 * M_PI);
  cairo_fill(cr);
  // Hour marks on the ring, except at 12 and 6 where the credit labels sit.
  Set(cr, kTick);
  cairo_set_line_width(cr, 2);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int h = 0; h < 12; ++h) {
    if (h == 0 || h == 6) continue;
    const double a = h * M_PI / 6, s = std::sin(a), c = -std::cos(a);
    Line(cr, cx + 143 * s, cy + 143 * c, cx + 151 * s, cy + 151 * c);
  }
  MockUp(cr);
  cairo_destroy(cr);
  cairo_surface_flush(surface);

  RgbaImage image{kSize, kSize, std::vector<std::uint8_t>(kSize * kSize * 4)};
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      std::uint32_t v = *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4);
      const int a = v >> 24;
      std::uint8_t* p = &image.rgba[(static_cast<std::size_t>(y) * kSize + x) * 4];
      for (int i = 0; i < 3; ++i) {
        const int premultiplied = (v >> (16 - 8 * i)) & 0xFF;
        p[i] = a ? static_cast<std::uint8_t>((premultiplied * 255 + a / 2) / a) : 0;
      }
      p[3] = static_cast<std::uint8_t>(a);
    }
  cairo_surface_destroy(surface);
  return image;
}

}  // namespace artwork
