// The three pictures the widget carries: sizes, frames and delays, the window's disc, and a
// watch face on which every control sits on plain face or ring colour.
#include <gtest/gtest.h>

#include <cmath>

#include "assets/assets.h"
#include "ui/main_layout.h"
#include "ui/picture/picture.h"
#include "ui/picture/shape.h"

namespace dw::ui {
namespace {

ByteSet Bytes(std::span<const std::uint8_t> s) {
  return ByteSet(s.begin(), s.end());
}

TEST(WidgetPictures, ShapeIsTheDiscWithoutHoles) {
  const ByteSet shape = Bytes(assets::ShapePicture());
  ASSERT_EQ(SniffPicture(shape), PictureFormat::Png);
  std::optional<std::vector<platform::ShapeRect>> rects = ShapeFromPicture(shape, 0xFFFFFF);
  ASSERT_TRUE(rects);
  int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1, lastRow = -1;
  long covered = 0;
  for (const platform::ShapeRect& r : *rects) {
    ASSERT_EQ(r.height, 1);
    // One run per row, rows one after the other: a disc with no hole and no stray pixel.
    ASSERT_EQ(r.y, lastRow + (lastRow < 0 ? r.y + 1 : 1)) << "row " << r.y;
    lastRow = r.y;
    left = std::min(left, r.x), right = std::max(right, r.x + r.width - 1);
    top = std::min(top, r.y), bottom = std::max(bottom, r.y);
    covered += r.width;
  }
  EXPECT_EQ(left, 13);
  EXPECT_EQ(right, 331);
  EXPECT_EQ(top, 16);
  EXPECT_EQ(bottom, 334);
  // A disc 319 across covers about π·159.5² pixels; the rest of the 340 × 340 is white.
  EXPECT_NEAR(340 * 340 - covered, 35681, 50);
  // Opaque, and no white inside the disc: the centre row runs straight across.
  std::optional<Picture> p = DecodePicture(shape, 0x000000);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->width, 340);
  EXPECT_EQ(p->frames[0].argb[175 * 340 + 172], 0xFFDFE6F0u);  // face
  EXPECT_EQ(p->frames[0].argb[175 * 340 + 20], 0xFF444444u);   // ring
  EXPECT_EQ(p->frames[0].argb[0], 0xFFFFFFFFu);                // white, not the black backdrop
}

TEST(WidgetPictures, ControlsSitOnPlainFaceOrRing) {
  const ByteSet background = Bytes(assets::BackgroundPicture());
  ASSERT_EQ(SniffPicture(background), PictureFormat::Png);
  std::optional<Picture> p = DecodePicture(background, 0x000000);
  ASSERT_TRUE(p);
  ASSERT_EQ(p->width, 340);
  ASSERT_EQ(p->height, 340);
  const Frame& f = p->frames[0];
  EXPECT_EQ(f.argb[0], 0xFF000000u) << "transparent outside the circle";
  // The picture is shown at 334 × 334 from the client origin: client c ↔ picture c·340/334.
  // Controls at the rim of the face overlap the ring's edge a little; only the pixels well
  // inside their own band (face, or ring for the credit labels) are checked.
  const double k = 340.0 / 334.0, cx = 169.5, cy = 172.5;
  for (const ControlRecord& c : MainLayout()) {
    if (!c.visible || c.cls == ControlClass::CnMonthCalendar) continue;
    const bool onRing = c.cls == ControlClass::Label && c.background == kDefaultColour;
    const std::uint32_t expected = onRing ? 0xFF444444u : 0xFFDFE6F0u;
    const int x0 = static_cast<int>(std::floor(c.left * k)),
              y0 = static_cast<int>(std::floor(c.top * k));
    const int x1 = static_cast<int>(std::ceil((c.left + c.width) * k));
    const int y1 = static_cast<int>(std::ceil((c.top + c.height) * k));
    int wrong = 0, checked = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) {
        const double r = std::hypot((x + 0.5) / k - cx, (y + 0.5) / k - cy);
        if (onRing ? (r < 136.5 || r > 158) : r > 133.5) continue;
        ++checked;
        wrong += f.argb[y * 340 + x] != expected;
      }
    EXPECT_GT(checked, c.width * c.height / 2) << c.name;
    EXPECT_EQ(wrong, 0) << c.name;
  }
}

TEST(WidgetPictures, AstronautAnimation) {
  const ByteSet gif = Bytes(assets::AnimationPicture());
  ASSERT_EQ(SniffPicture(gif), PictureFormat::Gif);
  EXPECT_EQ(std::string(gif.begin(), gif.begin() + 6), "GIF89a");
  EXPECT_EQ(gif[10] & 0x87, 0x87) << "a global colour table of 256 colours";
  std::optional<Picture> p = DecodePicture(gif, 0xF0E6DF, Size{78, 78});
  ASSERT_TRUE(p);
  EXPECT_EQ(p->naturalWidth, 534);
  EXPECT_EQ(p->naturalHeight, 598);
  ASSERT_EQ(p->frames.size(), 71u);
  int total = 0;
  for (std::size_t i = 0; i < p->frames.size(); ++i) {
    const int expected = (i >= 69 || i % 3 == 0) ? 30 : 20;
    EXPECT_EQ(p->frames[i].delayMs, expected) << "frame " << i;
    total += p->frames[i].delayMs;
    ASSERT_EQ(p->frames[i].width, 78);
  }
  EXPECT_EQ(total, 1670);
  // The first frame alone is the same as the first of all frames.
  std::optional<Frame> first = DecodeFirstFrame(gif, 0xF0E6DF, Size{78, 78});
  ASSERT_TRUE(first);
  EXPECT_EQ(first->argb, p->frames[0].argb);
  // Loops forever: the NETSCAPE2.0 block with count 0.
  const std::string text(gif.begin(), gif.begin() + 1024);
  const std::size_t at = text.find("NETSCAPE2.0");
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(gif[at + 11], 3);
  EXPECT_EQ(gif[at + 12], 1);
  EXPECT_EQ(gif[at + 13] | gif[at + 14] << 8, 0);
}

}  // namespace
}  // namespace dw::ui
