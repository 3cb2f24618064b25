// The animation: a line drawing of an astronaut drifting among small stars on the face
// colour. 71 frames, one cycle of 1.67 s; each frame after the first stores only the
// rectangle that changed, with unchanged pixels transparent.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "artwork.h"

namespace artwork {
namespace {

constexpr int kWidth = 534, kHeight = 598, kFrames = 71;
constexpr int kTransparent = 255;

struct Colour {
  int r, g, b;
};
constexpr Colour kFace{223, 230, 240};
constexpr Colour kInk{60, 66, 82};
constexpr Colour kSuit{250, 251, 253};
constexpr Colour kVisor{58, 82, 122};
constexpr Colour kGlint{172, 202, 236};
constexpr Colour kRed{214, 84, 72};
constexpr Colour kBlue{86, 136, 206};
constexpr Colour kStar{238, 178, 62};
constexpr Colour kDust{168, 180, 200};

void Set(cairo_t* cr, Colour c) {
  cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

// Fill with one colour, then outline in ink.
void FillAndInk(cairo_t* cr, Colour fill) {
  Set(cr, fill);
  cairo_fill_preserve(cr);
  Set(cr, kInk);
  cairo_stroke(cr);
}

void RoundedRect(cairo_t* cr, double x0, double y0, double x1, double y1, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x1 - r, y0 + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x1 - r, y1 - r, r, 0, M_PI / 2);
  cairo_arc(cr, x0 + r, y1 - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x0 + r, y0 + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

// A limb: a thick ink line with a suit-coloured core, through the given joints.
void Limb(cairo_t* cr, std::initializer_list<std::pair<double, double>> joints, double width) {
  for (int pass = 0; pass < 2; ++pass) {
    bool first = true;
    for (auto [x, y] : joints) {
      if (first)
        cairo_move_to(cr, x, y);
      else
        cairo_line_to(cr, x, y);
      first = false;
    }
    cairo_set_line_width(cr, pass == 0 ? width : width - 24);
    Set(cr, pass == 0 ? kInk : kSuit);
    cairo_stroke(cr);
  }
}

void Astronaut(cairo_t* cr, double wave) {
  cairo_set_line_width(cr, 12);
  // Backpack behind everything.
  RoundedRect(cr, -100, -62, 100, 96, 26);
  FillAndInk(cr, kSuit);
  // Legs and boots.
  Limb(cr, {{-42, 80}, {-52, 176}}, 70);
  Limb(cr, {{42, 80}, {70, 150}, {62, 184}}, 70);
  cairo_set_line_width(cr, 12);
  RoundedRect(cr, -92, 168, -14, 214, 18);
  FillAndInk(cr, kSuit);
  RoundedRect(cr, 24, 172, 104, 218, 18);
  FillAndInk(cr, kSuit);
  // The right arm hangs loose, the left one waves.
  Limb(cr, {{68, -38}, {128, 14}, {140, 72}}, 64);
  const double ex = -134, ey = -84;  // left elbow
  const double hx = ex + 70 * std::sin(-0.35 + wave), hy = ey - 70 * std::cos(-0.35 + wave);
  Limb(cr, {{-68, -38}, {ex, ey}, {hx, hy}}, 64);
  cairo_set_line_width(cr, 12);
  cairo_arc(cr, 146, 86, 26, 0, 2 * M_PI);
  FillAndInk(cr, kSuit);
  cairo_arc(cr, hx, hy, 26, 0, 2 * M_PI);
  FillAndInk(cr, kSuit);
  // Torso with its chest panel and belt.
  RoundedRect(cr, -78, -76, 78, 116, 42);
  FillAndInk(cr, kSuit);
  cairo_set_line_width(cr, 10);
  RoundedRect(cr, -40, -14, 40, 46, 12);
  FillAndInk(cr, kSuit);
  cairo_arc(cr, -18, 4, 8, 0, 2 * M_PI);
  Set(cr, kRed);
  cairo_fill(cr);
  cairo_arc(cr, 8, 4, 8, 0, 2 * M_PI);
  Set(cr, kBlue);
  cairo_fill(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  Set(cr, kInk);
  cairo_move_to(cr, -22, 30);
  cairo_line_to(cr, 22, 30);
  cairo_stroke(cr);
  cairo_move_to(cr, -70, 84);
  cairo_line_to(cr, 70, 84);
  cairo_stroke(cr);
  // Helmet: knobs at the sides, the shell, the visor with its glint, an antenna.
  cairo_set_line_width(cr, 12);
  RoundedRect(cr, -134, -182, -104, -120, 12);
  FillAndInk(cr, kSuit);
  RoundedRect(cr, 104, -182, 134, -120, 12);
  FillAndInk(cr, kSuit);
  cairo_move_to(cr, 58, -240);
  cairo_line_to(cr, 82, -292);
  Set(cr, kInk);
  cairo_stroke(cr);
  cairo_arc(cr, 84, -298, 13, 0, 2 * M_PI);
  FillAndInk(cr, kRed);
  cairo_arc(cr, 0, -152, 116, 0, 2 * M_PI);
  FillAndInk(cr, kSuit);
  cairo_save(cr);
  cairo_translate(cr, 0, -146);
  cairo_scale(cr, 84, 64);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  FillAndInk(cr, kVisor);
  cairo_set_line_width(cr, 11);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  Set(cr, kGlint);
  cairo_arc(cr, 0, -146, 48, M_PI * 1.08, M_PI * 1.42);
  cairo_stroke(cr);
  cairo_arc(cr, 0, -146, 48, M_PI * 1.52, M_PI * 1.58);
  cairo_stroke(cr);
}

struct StarPlace {
  double x, y, size, phase;
};
constexpr StarPlace kStars[] = {
    {62, 70, 26, 0.00},   {466, 52, 20, 0.35},  {500, 238, 24, 0.70}, {40, 300, 18, 0.15},
    {478, 420, 26, 0.55}, {70, 520, 22, 0.85},  {300, 560, 16, 0.25}, {180, 36, 14, 0.60},
    {30, 160, 12, 0.45},  {512, 540, 14, 0.05}, {380, 20, 12, 0.90},  {140, 440, 12, 0.30},
};
constexpr StarPlace kDustSpecks[] = {
    {120, 120, 5, 0}, {430, 140, 5, 0}, {92, 400, 6, 0},  {444, 330, 5, 0},
    {240, 580, 5, 0}, {20, 440, 4, 0},  {520, 120, 4, 0}, {340, 520, 5, 0},
};

void Sparkle(cairo_t* cr, double x, double y, double r) {
  const double k = r * 0.22;  // the waist of the four points
  cairo_move_to(cr, x, y - r);
  cairo_curve_to(cr, x + k, y - k, x + k, y - k, x + r, y);
  cairo_curve_to(cr, x + k, y + k, x + k, y + k, x, y + r);
  cairo_curve_to(cr, x - k, y + k, x - k, y + k, x - r, y);
  cairo_curve_to(cr, x - k, y - k, x - k, y - k, x, y - r);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void DrawFrame(cairo_t* cr, int frame) {
  const double t = static_cast<double>(frame) / kFrames, turn = 2 * M_PI * t;
  Set(cr, kFace);
  cairo_paint(cr);
  Set(cr, kDust);
  for (const StarPlace& d : kDustSpecks) {
    cairo_arc(cr, d.x, d.y, d.size, 0, 2 * M_PI);
    cairo_fill(cr);
  }
  Set(cr, kStar);
  for (const StarPlace& s : kStars)
    Sparkle(cr, s.x, s.y, s.size * (0.65 + 0.35 * std::sin(2 * M_PI * (t + s.phase))));
  cairo_save(cr);
  cairo_translate(cr, 267 + 10 * std::sin(turn + M_PI / 3), 322 + 14 * std::sin(turn));
  cairo_rotate(cr, 0.10 * std::sin(turn + M_PI / 2));
  cairo_scale(cr, 0.9, 0.9);
  Astronaut(cr, 0.35 * std::sin(2 * turn));
  cairo_restore(cr);
}

// The palette: the key colours and the blends between those that meet at an edge.
std::vector<Colour> MakePalette() {
  struct Ramp {
    Colour a, b;
    int steps;
  };
  const Ramp ramps[] = {
      {kFace, kInk, 48},  {kSuit, kInk, 40},  {kVisor, kInk, 20}, {kGlint, kVisor, 18},
      {kStar, kFace, 28}, {kDust, kFace, 12}, {kRed, kInk, 12},   {kBlue, kInk, 12},
      {kRed, kSuit, 10},  {kBlue, kSuit, 10}, {kSuit, kFace, 12}, {kGlint, kInk, 10},
      {kRed, kFace, 8},
  };
  std::vector<Colour> palette;
  auto add = [&palette](Colour c) {
    for (const Colour& p : palette)
      if (p.r == c.r && p.g == c.g && p.b == c.b) return;
    if (palette.size() < kTransparent) palette.push_back(c);
  };
  for (const Ramp& r : ramps)
    for (int i = 0; i < r.steps; ++i) {
      const double f = static_cast<double>(i) / (r.steps - 1);
      add({static_cast<int>(std::lround(r.a.r + f * (r.b.r - r.a.r))),
           static_cast<int>(std::lround(r.a.g + f * (r.b.g - r.a.g))),
           static_cast<int>(std::lround(r.a.b + f * (r.b.b - r.a.b)))});
    }
  while (palette.size() < kTransparent) palette.push_back(kFace);
  return palette;
}

}  // namespace

GifAnimation DrawAstronaut() {
  GifAnimation gif;
  gif.width = kWidth;
  gif.height = kHeight;
  gif.transparentIndex = kTransparent;
  const std::vector<Colour> palette = MakePalette();
  for (const Colour& c : palette) gif.palette.push_back((c.r << 16) | (c.g << 8) | c.b);
  gif.palette.push_back((kFace.r << 16) | (kFace.g << 8) | kFace.b);  // the transparent entry

  std::map<std::uint32_t, std::uint8_t> nearest;
  auto index = [&](std::uint32_t rgb) {
    auto it = nearest.find(rgb);
    if (it != nearest.end()) return it->second;
    const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    int best = 0, bestDistance = 1 << 30;
    for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
      const int dr = r - palette[i].r, dg = g - palette[i].g, db = b - palette[i].b;
      const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
      if (d < bestDistance) bestDistance = d, best = i;
    }
    return nearest[rgb] = static_cast<std::uint8_t>(best);
  };

  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
  std::vector<std::uint8_t> previous, current(static_cast<std::size_t>(kWidth) * kHeight);
  for (int f = 0; f < kFrames; ++f) {
    cairo_t* cr = cairo_create(surface);
    DrawFrame(cr, f);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        current[y * kWidth + x] =
            index(*reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4) & 0xFFFFFF);

    GifFrame frame;
    // 30, 20, 20 ms over and over, the last two frames 30 ms each: 1.67 s a cycle.
    frame.delayCs = (f >= kFrames - 2 || f % 3 == 0) ? 3 : 2;
    int x0 = 0, y0 = 0, x1 = kWidth, y1 = kHeight;
    if (!previous.empty()) {
      x0 = kWidth, y0 = kHeight, x1 = 0, y1 = 0;
      for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
          if (current[y * kWidth + x] != previous[y * kWidth + x])
            x0 = std::min(x0, x), x1 = std::max(x1, x + 1), y0 = std::min(y0, y),
            y1 = std::max(y1, y + 1);
      if (x0 >= x1) x0 = 0, y0 = 0, x1 = 1, y1 = 1;  // nothing changed: one clear pixel
    }
    frame.left = x0, frame.top = y0, frame.width = x1 - x0, frame.height = y1 - y0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) {
        const std::uint8_t now = current[y * kWidth + x];
        frame.indices.push_back(!previous.empty() && previous[y * kWidth + x] == now ? kTransparent
                                                                                     : now);
      }
    gif.frames.push_back(std::move(frame));
    previous = current;
  }
  cairo_surface_destroy(surface);
  return gif;
}

}  // namespace artwork
