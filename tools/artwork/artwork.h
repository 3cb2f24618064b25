// The widget's three pictures, drawn from code so they can be made again byte for byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace artwork {

using Bytes = std::vector<std::uint8_t>;

// Straight (not premultiplied) RGBA pixels, top row first.
struct RgbaImage {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgba;
};

// One frame of an indexed animation: a sub-rectangle of the canvas, palette indices.
struct GifFrame {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<std::uint8_t> indices;
  int delayCs = 0;
};

struct GifAnimation {
  int width = 0, height = 0;
  std::vector<std::uint32_t> palette;  // 0xRRGGBB, 256 entries
  int transparentIndex = 255;
  std::vector<GifFrame> frames;
};

// The watch geometry, in the main window's client coordinates (the 340-pixel pictures are
// shown at 334 × 334 from the client's top-left, the window frame being 3 pixels).
inline constexpr double kClientToPicture = 340.0 / 334.0;
inline constexpr double kFrame = 3.0;
inline constexpr double kDiscCentreX = 172.5 - kFrame, kDiscCentreY = 175.5 - kFrame;
inline constexpr double kDiscRadius = 159.5;  // the window's disc: 319 pixels across
inline constexpr double kFaceRadius = 135.0;  // inner edge of the ring

RgbaImage DrawShape();         // shape.png
RgbaImage DrawBackground();    // background.png
GifAnimation DrawAstronaut();  // astronaut.gif

Bytes EncodePng(const RgbaImage& image);
Bytes EncodeGif(const GifAnimation& animation);

}  // namespace artwork
