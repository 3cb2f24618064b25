// Decoding each format through the real decoders: sniffing, PNG alpha mixing, JPEG colour
// kinds, BMP depths and runs, icons, PCX.
#include <gtest/gtest.h>

#include "picture/picture_files.h"
#include "ui/picture/picture.h"

namespace dw::ui {
namespace {

using test::Pixels;

Pixels PixelsOf(const Frame& f) {
  return f.argb;
}

Frame Only(const std::optional<Picture>& p) {
  EXPECT_TRUE(p.has_value());
  if (!p) return {};
  EXPECT_EQ(p->frames.size(), 1u);
  return p->frames.front();
}

TEST(Sniff, FirstEightBytes) {
  struct Case {
    ByteSet bytes;
    PictureFormat format;
  } cases[] = {
      {{'B', 'M', 0, 0, 0, 0, 0, 0}, PictureFormat::Bmp},
      {{0xFF, 0xD8, 0xFF, 0xE0, 0, 0, 0, 0}, PictureFormat::Jpeg},
      {{0x89, 'P', 'N', 'G', 13, 10, 26, 10}, PictureFormat::Png},
      {{0, 0, 1, 0, 1, 0, 0, 0}, PictureFormat::Icon},
      {{0, 0, 1, 0, 0, 0, 0, 0}, PictureFormat::None},  // no images
      {{0, 0, 2, 0, 0, 1, 0, 0}, PictureFormat::Cursor},
      {{'G', 'I', 'F', '8', '7', 'a', 0, 0}, PictureFormat::Gif},
      {{'G', 'I', 'F', '8', '9', 'a', 0, 0}, PictureFormat::Gif},
      {{'G', 'I', 'F', '8', '8', 'a', 0, 0}, PictureFormat::None},
      {{0x0A, 5, 1, 8, 0, 0, 0, 0}, PictureFormat::Pcx8},
      {{0x0A, 0, 1, 8, 0, 0, 0, 0}, PictureFormat::Pcx8},
      {{0x0A, 6, 1, 8, 0, 0, 0, 0}, PictureFormat::None},  // version above 5
      {{0x0A, 3, 1, 1, 0, 0, 0, 0}, PictureFormat::Pcx1},
      {{0x0A, 5, 1, 1, 0, 0, 0, 0}, PictureFormat::None},
      {{'B', 'M', 0, 0, 0, 0, 0}, PictureFormat::None},  // seven bytes
      {{}, PictureFormat::None},
      {{'h', 'e', 'l', 'l', 'o', '!', '!', '!'}, PictureFormat::None},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SniffPicture(c.bytes), c.format) << ::testing::PrintToString(c.bytes);
}

TEST(Png, AlphaIsMixedWithTheBackdropTruncating) {
  // backdrop COLORREF 0x00BBGGRR: red 10, green 200, blue 255
  const Colour backdrop = 0xFFC80A;
  const ByteSet png = test::PngRgba(4, 1, {0x00FF0000, 0x80FF8000, 0xFF123456, 0x64C86432});
  Frame f = Only(DecodePicture(png, backdrop));
  ASSERT_EQ(f.width, 4);
  EXPECT_EQ(f.argb[0], 0xFF0AC8FFu);  // a = 0: the backdrop
  // a = 128: (128·255 + 127·10)/255 = 132.98 → 132, (128·128 + 127·200)/255 = 163.86 → 163,
  // (127·255)/255 = 127
  EXPECT_EQ(f.argb[1], 0xFF84A37Fu);
  EXPECT_EQ(f.argb[2], 0xFF123456u);  // opaque: unchanged
  // a = 100: (100·200 + 155·10)/255 = 84, (100·100 + 155·200)/255 = 160, (100·50 + 155·255)/255 =
  // 174
  EXPECT_EQ(f.argb[3], 0xFF54A0AEu);
  // The default colour stands for the button face (240, 240, 240).
  EXPECT_EQ(Only(DecodePicture(png, kDefaultColour)).argb[0], 0xFFF0F0F0u);
}

TEST(Jpeg, GreyRgbAndCmykGiveTheirColours) {
  struct Case {
    int components;
    std::vector<std::uint8_t> sample;  // one pixel's samples, repeated over 16 × 16
    std::uint32_t expected;
  } cases[] = {
      {1, {90}, 0xFF5A5A5A},
      {3, {200, 40, 120}, 0xFFC82878},
      // Adobe CMYK is stored inverted: 255 − ink. Cyan ink 0, magenta 255, yellow 255, K 0
      // → pure red.
      {4, {255, 0, 0, 255}, 0xFFFF0000},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> samples;
    for (int i = 0; i < 256; ++i) samples.insert(samples.end(), c.sample.begin(), c.sample.end());
    Frame f = Only(DecodePicture(test::Jpeg(16, 16, c.components, samples), 0));
    ASSERT_EQ(f.width, 16);
    for (int shift : {0, 8, 16}) {
      const int got = (f.argb[136] >> shift) & 0xFF, want = (c.expected >> shift) & 0xFF;
      EXPECT_NEAR(got, want, 4) << "components " << c.components << " shift " << shift;
    }
  }
}

TEST(Bmp, DepthsRowOrderRunsAndFields) {
  const Pixels palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  struct Case {
    const char* what;
    test::BmpLayout layout;
    Pixels expected;  // 0xRRGGBB, top row first
  } cases[] = {
      {"8 bpp palette, bottom-up",
       {2, 2, 8, 0, palette, {}, {1, 2, 0, 0, 3, 0, 0, 0}},
       {0x0000FF, 0x000000, 0xFF0000, 0x00FF00}},
      {"24 bpp, top-down",
       {2, -2, 24, 0, {}, {}, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}},
       {0x030201, 0x060504, 0x090807, 0x0C0B0A}},
      {"1 bpp",
       {3, 1, 1, 0, {0x101010, 0xF0F0F0}, {}, {0xA0, 0, 0, 0}},
       {0xF0F0F0, 0x101010, 0xF0F0F0}},
      {"4 bpp", {3, 1, 4, 0, palette, {}, {0x12, 0x30, 0, 0}}, {0xFF0000, 0x00FF00, 0x0000FF}},
      // RLE8: a run of 2 × index 1, end of line, a literal run of 3 (padded), end of bitmap.
      {"RLE8",
       {3, 2, 8, 1, palette, {}, {2, 1, 0, 0, 0, 3, 2, 3, 1, 0, 0, 1}},
       {0x00FF00, 0x0000FF, 0xFF0000, 0xFF0000, 0xFF0000, 0x000000}},
      // RLE4: 3 pixels alternating 1,2; a delta of (0,1) skips to the next row; end.
      {"RLE4",
       {3, 2, 4, 2, palette, {}, {3, 0x12, 0, 2, 0, 1, 0, 1}},
       {0x000000, 0x000000, 0x000000, 0xFF0000, 0x00FF00, 0xFF0000}},
      {"16 bpp 5-6-5 fields",
       {2, 1, 16, 3, {}, {0xF800, 0x07E0, 0x001F}, {0x00, 0xF8, 0xE0, 0x07}},
       {0xFF0000, 0x00FF00}},
      {"16 bpp 5-5-5", {1, 1, 16, 0, {}, {}, {0x1F, 0x00, 0, 0}}, {0x0000FF}},
      {"32 bpp, alpha byte ignored", {1, 1, 32, 0, {}, {}, {0x30, 0x20, 0x10, 0x00}}, {0x102030}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Frame f = Only(DecodePicture(test::Bmp(c.layout), 0));
    ASSERT_EQ(f.argb.size(), c.expected.size());
    for (std::size_t i = 0; i < c.expected.size(); ++i)
      EXPECT_EQ(f.argb[i], 0xFF000000u | c.expected[i]) << "pixel " << i;
  }
}

// A 2 × 2 32-bit icon image with alpha, as a DIB (height doubled, AND mask after).
ByteSet IconDib(std::uint8_t alpha0, int size, std::uint32_t colour) {
  test::BmpLayout s{size, size * 2, 32, 0, {}, {}, {}};
  for (int i = 0; i < size * size; ++i) {
    s.data.push_back(static_cast<std::uint8_t>(colour));
    s.data.push_back(static_cast<std::uint8_t>(colour >> 8));
    s.data.push_back(static_cast<std::uint8_t>(colour >> 16));
    s.data.push_back(i == 0 ? alpha0 : 255);
  }
  s.data.resize(s.data.size() + ((size + 31) / 32) * 4 * size, 0);  // AND mask: all shown
  return test::Dib(s);
}

TEST(Icon, DrawsTheBestImageOverTheBackdrop) {
  const Colour backdrop = 0x00FFFF;  // yellow
  // With alpha: pixel 0 fully transparent shows the backdrop.
  Frame f = Only(DecodePicture(test::Icon({{2, 2, IconDib(0, 2, 0x0000FF)}}), backdrop));
  ASSERT_EQ(f.width, 2);
  EXPECT_EQ(f.argb[2], 0xFFFFFF00u);  // bottom-up: stored pixel 0 is the bottom-left
  EXPECT_EQ(f.argb[0], 0xFF0000FFu);

  // Without alpha, the AND mask decides: mask bit 1 shows the backdrop.
  test::BmpLayout masked{1, 2, 24, 0, {}, {}, {0x00, 0x00, 0xFF, 0, 0x80, 0, 0, 0}};
  Frame m = Only(DecodePicture(test::Icon({{1, 1, test::Dib(masked)}}), backdrop));
  EXPECT_EQ(m.argb[0], 0xFFFFFF00u);

  // Several sizes: the one at least as large as asked, else the largest; a PNG inside.
  const ByteSet icon = test::Icon({{16, 16, IconDib(255, 16, 0x0000FF)},
                                   {48, 48, test::PngRgba(48, 48, Pixels(48 * 48, 0xFF00FF00))},
                                   {32, 32, IconDib(255, 32, 0xFF0000)}});
  EXPECT_EQ(Only(DecodePicture(icon, 0)).width, 32);  // the system icon size by default
  EXPECT_EQ(DecodePicture(icon, 0, Size{22, 22})->naturalWidth, 32);
  Picture big = *DecodePicture(icon, 0, Size{40, 40});
  EXPECT_EQ(big.naturalWidth, 48);
  EXPECT_EQ(big.frames[0].argb[0], 0xFF00FF00u);
  EXPECT_EQ(Only(DecodePicture(icon, 0, Size{64, 64})).width, 64);  // scaled from the 48
}

TEST(Pcx, EightBitPaletteAndOneBit) {
  Frame f =
      Only(DecodePicture(test::Pcx8(3, 2, {0, 1, 2, 2, 2, 1}, {0x102030, 0x405060, 0xC0C0C0}), 0));
  EXPECT_EQ(PixelsOf(f),
            (Pixels{0xFF102030, 0xFF405060, 0xFFC0C0C0, 0xFFC0C0C0, 0xFFC0C0C0, 0xFF405060}));
  Frame m = Only(DecodePicture(test::Pcx1(3, 1, {1, 0, 1}), 0));
  EXPECT_EQ(PixelsOf(m), (Pixels{0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}));
}

TEST(Scale, AveragesAreasAndKeepsUniformColour) {
  Frame f{2, 2, {0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000}, 0};
  Frame one = ScaleFrame(f, 1, 1);
  ASSERT_EQ(one.argb.size(), 1u);
  EXPECT_EQ(one.argb[0], 0xFF808080u);
  Frame flat = ScaleFrame(SolidFrame(534, 598, 0xF0E6DF), 78, 78);
  ASSERT_EQ(flat.argb.size(), 78u * 78u);
  for (std::uint32_t p : flat.argb) ASSERT_EQ(p, 0xFFDFE6F0u);
  Frame up = ScaleFrame(f, 4, 4);
  EXPECT_EQ(up.argb[0], 0xFF000000u);  // corners keep their pixel
  EXPECT_EQ(up.argb[15], 0xFF000000u);
}

}  // namespace
}  // namespace dw::ui
