// GIF composition: frames on a canvas of the backdrop colour, transparency, disposal, delays,
// interlacing, and the first frame alone.
#include <gtest/gtest.h>

#include "picture/picture_files.h"
#include "ui/picture/picture.h"

namespace dw::ui {
namespace {

const test::Pixels kPalette = {0xFF0000, 0x0000FF, 0x00FF00, 0x000000};
constexpr std::uint32_t kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kGreen = 0xFF00FF00;
constexpr Colour kBackdrop = 0xF0E6DF;       // COLORREF of the face colour
constexpr std::uint32_t kFace = 0xFFDFE6F0;  // the same as ARGB

// Three frames on a 2 × 1 canvas: red everywhere, then blue on the left pixel with the
// given disposal, then green on the right pixel.
ByteSet ThreeFrames(int disposal) {
  return test::Gif(
      2, 1, kPalette,
      {{0, 0, 2, 1, {0, 0}, 1, 3}, {0, 0, 1, 1, {1}, disposal, 2}, {1, 0, 1, 1, {2}, 1, 0}});
}

TEST(Gif, DisposalDecidesWhatTheNextFrameStartsFrom) {
  struct Case {
    int disposal;
    std::uint32_t leftInLastFrame;
  } cases[] = {
      {0, kBlue},  // unspecified: left in place
      {1, kBlue},  // left in place
      {2, kRed},   // the area it covered is put back as it was before the frame
      {3, kRed},   // likewise
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.disposal);
    std::optional<Picture> p = DecodePicture(ThreeFrames(c.disposal), kBackdrop);
    ASSERT_TRUE(p);
    ASSERT_EQ(p->frames.size(), 3u);
    EXPECT_TRUE(p->animated());
    EXPECT_EQ(p->frames[0].argb, (std::vector<std::uint32_t>{kRed, kRed}));
    EXPECT_EQ(p->frames[1].argb, (std::vector<std::uint32_t>{kBlue, kRed}));  // shown first
    EXPECT_EQ(p->frames[2].argb, (std::vector<std::uint32_t>{c.leftInLastFrame, kGreen}));
  }
}

TEST(Gif, DelaysInHundredthsAndZeroMeansFiftyMs) {
  std::optional<Picture> p = DecodePicture(ThreeFrames(1), kBackdrop);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->frames[0].delayMs, 30);
  EXPECT_EQ(p->frames[1].delayMs, 20);
  EXPECT_EQ(p->frames[2].delayMs, 50);
}

TEST(Gif, TransparentPixelsShowTheCanvas) {
  // The first frame covers only the left half and marks index 3 transparent.
  ByteSet gif =
      test::Gif(3, 1, kPalette, {{0, 0, 2, 1, {3, 1}, 1, 0, 3}, {2, 0, 1, 1, {3}, 1, 0, 3}});
  std::optional<Picture> p = DecodePicture(gif, kBackdrop);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->frames[0].argb, (std::vector<std::uint32_t>{kFace, kBlue, kFace}));
  EXPECT_EQ(p->frames[1].argb, (std::vector<std::uint32_t>{kFace, kBlue, kFace}));
}

TEST(Gif, InterlacedRowsLandInPlace) {
  std::vector<std::uint8_t> rows;
  for (int y = 0; y < 10; ++y) rows.push_back(static_cast<std::uint8_t>(y % 3));
  ByteSet gif = test::Gif(1, 10, kPalette, {{0, 0, 1, 10, rows, 1, 0, -1, true}});
  std::optional<Picture> p = DecodePicture(gif, kBackdrop);
  ASSERT_TRUE(p);
  const std::uint32_t colour[3] = {kRed, kBlue, kGreen};
  for (int y = 0; y < 10; ++y) EXPECT_EQ(p->frames[0].argb[y], colour[y % 3]) << y;
}

TEST(Gif, FirstFrameAloneAndScaledFrames) {
  const ByteSet gif = ThreeFrames(1);
  std::optional<Frame> first = DecodeFirstFrame(gif, kBackdrop);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->argb, (std::vector<std::uint32_t>{kRed, kRed}));
  std::optional<Picture> scaled = DecodePicture(gif, kBackdrop, Size{4, 3});
  ASSERT_TRUE(scaled);
  EXPECT_EQ(scaled->width, 4);
  EXPECT_EQ(scaled->naturalWidth, 2);
  EXPECT_EQ(scaled->frames[1].argb.size(), 12u);
  EXPECT_EQ(scaled->frames[1].delayMs, 20);
}

TEST(Gif, ACancelledDecodeGivesNoPicture) {
  std::atomic<bool> cancel{false};
  EXPECT_TRUE(DecodePicture(ThreeFrames(1), kBackdrop, std::nullopt, cancel));
  cancel = true;
  EXPECT_FALSE(DecodePicture(ThreeFrames(1), kBackdrop, std::nullopt, cancel));
}

}  // namespace
}  // namespace dw::ui
