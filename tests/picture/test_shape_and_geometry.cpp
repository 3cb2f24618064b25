// Display-mode geometry and the window shape from a picture.
#include <gtest/gtest.h>

#include "picture/picture_files.h"
#include "ui/picture/geometry.h"
#include "ui/picture/shape.h"

namespace dw::ui {
namespace {

TEST(Geometry, DisplayModes) {
  struct Case {
    int mode, boxW, boxH, picW, picH;
    Rect expected;
  } cases[] = {
      {0, 78, 78, 534, 598, {0, 0, 534, 598}},  // natural size at the top-left
      {0, 78, 78, 10, 20, {0, 0, 10, 20}},
      {1, 78, 78, 534, 598, {0, 0, 78, 78}},  // stretched, proportions not kept
      {1, 22, 22, 16, 16, {0, 0, 22, 22}},
      {2, 334, 335, 340, 340, {0, 0, 334, 334}},  // the window's background picture
      {2, 78, 78, 534, 598, {4, 0, 69, 78}},      // 534·78/598 = 69.6 → 69, centred
      {2, 100, 50, 400, 100, {0, 12, 100, 25}},   // the width ratio is the smaller
      {2, 22, 22, 16, 10, {3, 6, 16, 10}},        // fits: natural size, centred
      {2, 22, 22, 22, 22, {0, 0, 22, 22}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PictureRect(c.mode, c.boxW, c.boxH, c.picW, c.picH), c.expected)
        << "mode " << c.mode << " box " << c.boxW << "x" << c.boxH << " picture " << c.picW << "x"
        << c.picH;
}

class RecordingDesktop : public platform::Desktop {
 public:
  void Beep() override {}
  void SetWindowAlpha(int) override {}
  void SetWindowShape(const std::vector<platform::ShapeRect>& r) override {
    rects = r;
    ++calls;
  }
  std::vector<platform::ShapeRect> rects;
  int calls = 0;
};

TEST(Shape, RowRunsOfEveryNonKeyPixel) {
  // Row 0: key, grey, key, grey, grey. Row 1: a nearly-white pixel stays, transparent goes.
  const test::Pixels pixels = {0xFFFFFFFF, 0xFF808080, 0xFFFFFFFF, 0xFF808080, 0xFF808080,
                               0xFFFFFFFE, 0x00000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000};
  std::optional<std::vector<platform::ShapeRect>> rects =
      ShapeFromPicture(test::PngRgba(5, 2, pixels));
  ASSERT_TRUE(rects);
  ASSERT_EQ(rects->size(), 4u);
  const int expected[4][4] = {{1, 0, 1, 1}, {3, 0, 2, 1}, {0, 1, 1, 1}, {4, 1, 1, 1}};
  for (int i = 0; i < 4; ++i) {
    const platform::ShapeRect& r = (*rects)[i];
    EXPECT_EQ((std::vector<int>{r.x, r.y, r.width, r.height}),
              (std::vector<int>(expected[i], expected[i] + 4)));
  }
  // Another key: now the black pixel is cut and the white ones stay.
  std::optional<std::vector<platform::ShapeRect>> black =
      ShapeFromPicture(test::PngRgba(5, 2, pixels), 0x000000);
  ASSERT_TRUE(black);
  ASSERT_EQ(black->size(), 3u);
  EXPECT_EQ((*black)[0].width, 5);
  // Row 1: the transparent pixel mixes with the key and is cut, as is the black one.
  EXPECT_EQ((*black)[1].x, 0);
  EXPECT_EQ((*black)[1].width, 1);
  EXPECT_EQ((*black)[2].x, 2);
  EXPECT_EQ((*black)[2].width, 2);
}

TEST(Shape, IconsAreDrawnOnWhite) {
  // A 1 × 1 icon whose only pixel is masked: drawn on white, it is cut with key white.
  test::BmpLayout masked{1, 2, 24, 0, {}, {}, {0x00, 0x00, 0xFF, 0, 0x80, 0, 0, 0}};
  std::optional<std::vector<platform::ShapeRect>> rects =
      ShapeFromPicture(test::Icon({{1, 1, test::Dib(masked)}}), 0xFFFFFF);
  ASSERT_TRUE(rects);
  EXPECT_TRUE(rects->empty());
  // With key black, the white it was drawn on stays.
  rects = ShapeFromPicture(test::Icon({{1, 1, test::Dib(masked)}}), 0x000000);
  ASSERT_TRUE(rects);
  EXPECT_EQ(rects->size(), 1u);
}

TEST(Shape, UndecodablePictureLeavesTheWindowAlone) {
  RecordingDesktop desktop;
  EXPECT_FALSE(SetWindowShape(desktop, ByteSet{}));
  EXPECT_FALSE(SetWindowShape(desktop, ByteSet{'B', 'M', 1, 2, 3, 4, 5, 6, 7, 8}));
  ByteSet truncated = test::PngRgba(4, 4, test::Pixels(16, 0xFF000000));
  truncated.resize(truncated.size() / 2);
  EXPECT_FALSE(SetWindowShape(desktop, truncated));
  EXPECT_EQ(desktop.calls, 0);
  EXPECT_TRUE(SetWindowShape(desktop, test::PngRgba(2, 1, {0xFF000000, 0xFFFFFFFF})));
  EXPECT_EQ(desktop.calls, 1);
  ASSERT_EQ(desktop.rects.size(), 1u);
  EXPECT_EQ(desktop.rects[0].width, 1);
}

}  // namespace
}  // namespace dw::ui
