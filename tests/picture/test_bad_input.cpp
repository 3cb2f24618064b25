// Bad picture bytes give no picture, quickly and without allocating for absurd sizes:
// truncated files, oversized headers, corrupt data.
#include <gtest/gtest.h>

#include "picture/picture_files.h"
#include "ui/picture/picture.h"

namespace dw::ui {
namespace {

void PutBe32(ByteSet& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

TEST(BadInput, TruncatedFilesGiveNoPicture) {
  std::vector<std::uint8_t> rgb(32 * 32 * 3, 0x55);
  const test::Pixels palette = {0xFF0000, 0x00FF00};
  std::vector<test::GifFrameSpec> frames;
  for (int i = 0; i < 3; ++i)
    frames.push_back(
        {0, 0, 8, 8, std::vector<std::uint8_t>(64, static_cast<std::uint8_t>(i & 1)), 1, 2});
  std::vector<std::uint8_t> bits(8 * 8, 1);
  const std::pair<const char*, ByteSet> files[] = {
      {"png", test::PngRgba(8, 8, test::Pixels(64, 0xFF336699))},
      {"jpeg", test::Jpeg(32, 32, 3, rgb)},
      {"gif", test::Gif(8, 8, palette, frames)},
      {"bmp", test::Bmp({4, 4, 24, 0, {}, {}, std::vector<std::uint8_t>(48, 7)})},
      {"icon", test::Icon({{8, 8, test::PngRgba(8, 8, test::Pixels(64, 0xFF336699))}})},
      {"pcx", test::Pcx8(8, 8, std::vector<std::uint8_t>(64, 1), palette)},
  };
  for (const auto& [what, whole] : files) {
    SCOPED_TRACE(what);
    ASSERT_TRUE(DecodePicture(whole, 0)) << "the whole file decodes";
    // Cut in the middle or just before the end marker (PNG's 12-byte IEND, GIF's trailer):
    // no picture, and never a crash. A file cut only in its end marker still holds all of
    // its pixels and is shown.
    for (std::size_t keep : {whole.size() / 2, whole.size() * 3 / 4, whole.size() - 13}) {
      ByteSet cut(whole.begin(), whole.begin() + static_cast<long>(keep));
      EXPECT_FALSE(DecodePicture(cut, 0)) << "kept " << keep << " of " << whole.size();
      EXPECT_FALSE(DecodeFirstFrame(cut, 0)) << "kept " << keep << " of " << whole.size();
    }
  }
}

TEST(BadInput, AbsurdSizesAreRefusedBeforeAllocating) {
  ByteSet png = test::PngRgba(1, 1, {0xFF000000});
  PutBe32(png, 16, 100000);  // IHDR width and height
  PutBe32(png, 20, 100000);
  EXPECT_FALSE(DecodePicture(png, 0));

  ByteSet bmp = test::Bmp({1, 1, 24, 0, {}, {}, {0, 0, 0, 0}});
  for (int i = 0; i < 2; ++i)
    bmp[18 + 4 * i] = 0xA0, bmp[19 + 4 * i] = 0x86, bmp[20 + 4 * i] = 0x01;
  EXPECT_FALSE(DecodePicture(bmp, 0));  // 100000 × 100000

  // A GIF screen of 16385 × 1: one past the side limit.
  ByteSet gif = test::Gif(1, 1, {0}, {{0, 0, 1, 1, {0}, 1, 0}});
  gif[6] = 0x01, gif[7] = 0x40;
  EXPECT_FALSE(DecodePicture(gif, 0));
  // 8000 × 8000 frames: within the side limit, but two of them exceed the pixel budget.
  ByteSet two = test::Gif(1, 1, {0}, {{0, 0, 1, 1, {0}, 1, 0}, {0, 0, 1, 1, {0}, 1, 0}});
  two[6] = 0x40, two[7] = 0x1F, two[8] = 0x40, two[9] = 0x1F;
  EXPECT_FALSE(DecodePicture(two, 0));

  ByteSet pcx = test::Pcx1(8, 1, std::vector<std::uint8_t>(8, 1));
  pcx[8] = 0xFF, pcx[9] = 0xFF, pcx[10] = 0xFF, pcx[11] = 0xFF;  // 65536 × 65536
  EXPECT_FALSE(DecodePicture(pcx, 0));

  // An icon directory pointing past the end of the file.
  ByteSet icon = test::Icon({{8, 8, test::PngRgba(8, 8, test::Pixels(64, 0xFF000000))}});
  icon[18] = 0xFF, icon[19] = 0xFF, icon[20] = 0xFF;
  EXPECT_FALSE(DecodePicture(icon, 0));
}

TEST(BadInput, NotAPictureAtAll) {
  for (const ByteSet& bytes : {ByteSet{}, ByteSet{'B', 'M'}, ByteSet(100, 0x0A),
                               ByteSet{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B},
                               ByteSet{0xFF, 0xD8, 0xFF, 0xD9, 0, 0, 0, 0}}) {
    EXPECT_FALSE(DecodePicture(bytes, 0));
    EXPECT_FALSE(DecodeFirstFrame(bytes, 0));
  }
}

}  // namespace
}  // namespace dw::ui
