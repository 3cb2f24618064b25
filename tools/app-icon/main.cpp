// deskwatch-app-icon OUTDIR: draws the application icon in the look of the watch face (the
// dark ring, the pale face, LCD digits) into OUTDIR/deskwatch.svg and OUTDIR/deskwatch.png
// (48 × 48). Everything is drawn from fixed geometry, no fonts, so the files come out the
// same on every run.
#include <cairo-svg.h>
#include <cairo.h>

#include <array>
#include <cstdio>
#include <string>

namespace {

constexpr double kSize = 48;  // the icon's design grid, in pixels

struct Rgb {
  double r, g, b;
};
constexpr Rgb Colour(int r, int g, int b) {
  return {r / 255.0, g / 255.0, b / 255.0};
}

constexpr Rgb kRing = Colour(68, 68, 68);           // the watch picture's dark ring
constexpr Rgb kFace = Colour(223, 230, 240);        // its pale face
constexpr Rgb kSegmentOn = Colour(24, 24, 24);      // lit LCD segment
constexpr Rgb kSegmentOff = Colour(209, 216, 228);  // the faint unlit segments of an LCD

void SetColour(cairo_t* cr, Rgb c) {
  cairo_set_source_rgb(cr, c.r, c.g, c.b);
}

// Seven segments, a..g in the usual order: a top, b top right, c bottom right, d bottom,
// e bottom left, f top left, g middle.
constexpr std::array<unsigned char, 10> kDigitSegments = {
    0b0111111, 0b0000110, 0b1011011, 0b1001111, 0b1100110,
    0b1101101, 0b1111101, 0b0000111, 0b1111111, 0b1101111};

struct DigitBox {
  double x, y, w, h, t;  // left, top, width, height, segment thickness
};

// One segment as a hexagon with pointed ends, as LCD glasses draw them.
void SegmentPath(cairo_t* cr, double x0, double y0, double x1, double y1, double t) {
  const double h = t / 2;
  if (y0 == y1) {  // horizontal
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x0 + h, y0 - h);
    cairo_line_to(cr, x1 - h, y0 - h);
    cairo_line_to(cr, x1, y0);
    cairo_line_to(cr, x1 - h, y0 + h);
    cairo_line_to(cr, x0 + h, y0 + h);
  } else {  // vertical
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x0 + h, y0 + h);
    cairo_line_to(cr, x0 + h, y1 - h);
    cairo_line_to(cr, x0, y1);
    cairo_line_to(cr, x0 - h, y1 - h);
    cairo_line_to(cr, x0 - h, y0 + h);
  }
  cairo_close_path(cr);
}

void Segment(cairo_t* cr, const DigitBox& d, int index) {
  const double g = d.t * 0.18;  // the hairline gap between neighbouring segments
  const double l = d.x, r = d.x + d.w, top = d.y, mid = d.y + d.h / 2, bot = d.y + d.h;
  switch (index) {
    case 0:
      SegmentPath(cr, l + g, top, r - g, top, d.t);
      break;
    case 1:
      SegmentPath(cr, r, top + g, r, mid - g, d.t);
      break;
    case 2:
      SegmentPath(cr, r, mid + g, r, bot - g, d.t);
      break;
    case 3:
      SegmentPath(cr, l + g, bot, r - g, bot, d.t);
      break;
    case 4:
      SegmentPath(cr, l, mid + g, l, bot - g, d.t);
      break;
    case 5:
      SegmentPath(cr, l, top + g, l, mid - g, d.t);
      break;
    case 6:
      SegmentPath(cr, l + g, mid, r - g, mid, d.t);
      break;
  }
}

void Digit(cairo_t* cr, const DigitBox& box, int digit) {
  for (int s = 0; s < 7; ++s) {
    Segment(cr, box, s);
    SetColour(cr, (kDigitSegments[digit] >> s) & 1 ? kSegmentOn : kSegmentOff);
    cairo_fill(cr);
  }
}

void DrawIcon(cairo_t* cr) {
  const double c = kSize / 2;
  cairo_arc(cr, c, c, 23, 0, 2 * 3.14159265358979323846);
  SetColour(cr, kRing);
  cairo_fill(cr);
  cairo_arc(cr, c, c, 19.5, 0, 2 * 3.14159265358979323846);
  SetColour(cr, kFace);
  cairo_fill(cr);

  // "10:08" across the middle of the face, on whole pixels so the 48 px icon stays sharp:
  // each digit 6 px wide and 12 px high with 2 px segments, the colon in a 6 px gap.
  const int digits[4] = {1, 0, 0, 8};
  const int left[4] = {7, 15, 27, 35};  // outer left edge of each digit
  for (int i = 0; i < 4; ++i) Digit(cr, {left[i] + 1.0, 19, 4, 10, 2}, digits[i]);
  SetColour(cr, kSegmentOn);
  cairo_rectangle(cr, 23, 20, 2, 2);
  cairo_rectangle(cr, 23, 26, 2, 2);
  cairo_fill(cr);
}

bool Draw(cairo_surface_t* surface) {
  cairo_t* cr = cairo_create(surface);
  DrawIcon(cr);
  const bool ok = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
  cairo_destroy(cr);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: deskwatch-app-icon OUTDIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  const std::string svgPath = dir + "/deskwatch.svg", pngPath = dir + "/deskwatch.png";

  cairo_surface_t* svg = cairo_svg_surface_create(svgPath.c_str(), kSize, kSize);
  cairo_svg_surface_set_document_unit(svg, CAIRO_SVG_UNIT_PX);
  bool ok = Draw(svg);
  cairo_surface_finish(svg);
  ok = ok && cairo_surface_status(svg) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(svg);

  cairo_surface_t* png = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kSize, kSize);
  ok = Draw(png) && ok;
  ok = cairo_surface_write_to_png(png, pngPath.c_str()) == CAIRO_STATUS_SUCCESS && ok;
  cairo_surface_destroy(png);

  if (!ok) {
    std::fprintf(stderr, "deskwatch-app-icon: cannot write %s or %s\n", svgPath.c_str(),
                 pngPath.c_str());
    return 1;
  }
  std::printf("%s\n%s\n", svgPath.c_str(), pngPath.c_str());
  return 0;
}
