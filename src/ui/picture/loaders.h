// One loader per picture format, all with the same small contract: the file's bytes and a
// request in, a complete picture (frames opaque, transparency mixed with the backdrop) or
// nothing out. No loader throws or asserts on its input.
#pragma once

#include <atomic>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>

#include "ui/layout.h"
#include "ui/picture/picture.h"

namespace dw::ui::detail {

using Bytes = std::span<const std::uint8_t>;

struct DecodeRequest {
  Colour backdrop = 0;
  std::optional<Size> frameSize;  // scale each frame to this as soon as it is composed
  int maxFrames = std::numeric_limits<int>::max();  // stop after this many frames
  const std::atomic<bool>* cancel = nullptr;        // when set, give up (no picture)
};

// True when a picture of that size fits the side limit and, frames times over, the budget.
bool PictureSizeAllowed(std::int64_t width, std::int64_t height, std::int64_t frames = 1);

// Hands a composed full-size frame to the picture, scaled as the request asks.
void KeepFrame(Picture& picture, Frame&& frame, const DecodeRequest& request);

std::optional<Picture> LoadPng(Bytes bytes, const DecodeRequest& request);
std::optional<Picture> LoadJpeg(Bytes bytes, const DecodeRequest& request);
std::optional<Picture> LoadGif(Bytes bytes, const DecodeRequest& request);
std::optional<Picture> LoadBmp(Bytes bytes, const DecodeRequest& request);
std::optional<Picture> LoadIcon(Bytes bytes, const DecodeRequest& request);
std::optional<Picture> LoadPcx(Bytes bytes, const DecodeRequest& request);

// A GIF's block structure, walked without decoding any pixels.
struct GifOutline {
  bool complete = false;         // every block present up to the trailer (or the very end)
  std::int64_t frames = 0;       // frame count
  std::int64_t framePixels = 0;  // pixels of the frames' own rectangles together
  bool frameTooLarge = false;    // some frame is wider or taller than the side limit
};
GifOutline OutlineGif(Bytes bytes);

// A device-independent bitmap as stored in BMP files and icons (no file header). For icons
// the stored height is doubled and an AND mask follows the colours; straight RGBA out.
struct DibImage {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgba;  // straight (not premultiplied) RGBA, top row first
  bool hasAlpha = false;           // some pixel is not opaque
};
// dib: the info header and what follows; pixelOffset: where the pixels start within dib
// (0: right after the colour table). asIcon: height doubled and an AND mask follows.
std::optional<DibImage> ReadDib(Bytes dib, std::size_t pixelOffset, bool asIcon);

}  // namespace dw::ui::detail
