// Tiny picture files made in the test, each showing one thing. Pixels are given as
// 0xRRGGBB (or 0xAARRGGBB for RGBA), top row first.
#pragma once

#include <cstdint>
#include <vector>

#include "text/values.h"

namespace dw::test {

using Pixels = std::vector<std::uint32_t>;

ByteSet PngRgba(int width, int height, const Pixels& argb);  // straight alpha
// JPEG of one kind: 1 grey, 3 RGB, 4 CMYK (Adobe, inverted as Photoshop writes it).
ByteSet Jpeg(int width, int height, int components, const std::vector<std::uint8_t>& samples);

struct GifFrameSpec {
  int left, top, width, height;
  std::vector<std::uint8_t> indices;
  int disposal = 1;
  int delayCs = 0;
  int transparent = -1;
  bool interlaced = false;
};
ByteSet Gif(int width, int height, const Pixels& palette, const std::vector<GifFrameSpec>& frames);

// A BMP file around a DIB: info header fields, colour table, pixel bytes as stored.
struct BmpLayout {
  int width, height;  // height < 0: top-down
  int bpp;
  int compression = 0;
  Pixels palette;                    // 0xRRGGBB
  std::vector<std::uint32_t> masks;  // for bit fields: red, green, blue
  std::vector<std::uint8_t> data;
};
ByteSet Bmp(const BmpLayout& layout);
// The DIB alone (info header, masks, colour table, data) as icons hold it.
ByteSet Dib(const BmpLayout& layout);

struct IconImage {
  int width, height;
  ByteSet data;  // a PNG, or a DIB with doubled height and AND mask
};
ByteSet Icon(const std::vector<IconImage>& images, int type = 1);

// PCX: 8 bits with the palette at the end, or 1 bit; lines given unpacked, RLE-coded here.
ByteSet Pcx8(int width, int height, const std::vector<std::uint8_t>& indices,
             const Pixels& palette);
ByteSet Pcx1(int width, int height, const std::vector<std::uint8_t>& bits);

}  // namespace dw::test
