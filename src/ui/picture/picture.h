// Picture files held in a ByteSet: recognising them by their first bytes and decoding them
// into opaque frames ready to draw. Transparent parts are mixed once, at decode time, with
// the backdrop colour of whatever shows the picture (picture box, window, shape key).
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

#include "text/values.h"
#include "ui/layout.h"

namespace dw::ui {

struct Size {
  int width = 0, height = 0;
};

// One picture of a file, fully composed: width × height pixels, row by row, each pixel
// 0xAARRGGBB premultiplied as cairo's ARGB32 wants it. Decoded frames are always opaque
// (alpha 0xFF) since transparency has been mixed with the backdrop.
struct Frame {
  int width = 0, height = 0;
  std::vector<std::uint32_t> argb;
  int delayMs = 0;  // how long an animation shows this frame; 0 for a still picture
};

struct Picture {
  int width = 0, height = 0;                // size of the frames
  int naturalWidth = 0, naturalHeight = 0;  // size of the file's picture before any scaling
  std::vector<Frame> frames;                // at least one
  bool animated() const { return frames.size() > 1; }
};

enum class PictureFormat { None, Bmp, Jpeg, Png, Icon, Cursor, Gif, Pcx8, Pcx1 };

// Loaders refuse a picture wider or taller than this, and a picture whose frames together
// hold more pixels than the budget (a GIF counts its canvas once per frame), before
// allocating anything for it.
inline constexpr int kMaxPictureSide = 16384;
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 26;

// The format chosen from the first 8 bytes; fewer than 8 bytes is None.
PictureFormat SniffPicture(const ByteSet& bytes);

// Decodes every frame. PNG alpha, GIF transparency and icon masks are mixed with the
// backdrop (the default colour stands for the button face). GIF frames are composed in order
// on a canvas of the backdrop colour. With frameSize, each frame is scaled to that size as
// soon as it is composed, so a long animation never holds its full-size frames; icons then
// also pick the image nearest that size. Anything that is not a complete picture of a
// recognised format gives no picture.
std::optional<Picture> DecodePicture(const ByteSet& bytes, Colour backdrop,
                                     std::optional<Size> frameSize = std::nullopt);
// The same, giving up between frames (no picture) once *cancel becomes true: how a player
// that is being stopped ends a long decode early.
std::optional<Picture> DecodePicture(const ByteSet& bytes, Colour backdrop,
                                     std::optional<Size> frameSize,
                                     const std::atomic<bool>& cancel);

// Only the first frame, as DecodePicture would give it, and cheap for a long animation:
// what a picture box paints at once while its animation is decoded on the animation thread.
// Gives no frame when the file's structure is incomplete (a truncated file), so a picture
// that will not decode does not flash up.
std::optional<Frame> DecodeFirstFrame(const ByteSet& bytes, Colour backdrop,
                                      std::optional<Size> frameSize = std::nullopt);

// A frame of size w × h drawn from the source with smooth (area-averaging) filtering.
Frame ScaleFrame(const Frame& source, int width, int height);

// A frame of the given size filled with one colour: what a box shows without a picture.
Frame SolidFrame(int width, int height, Colour colour);

// COLORREF (0x00BBGGRR) → opaque 0xFFRRGGBB, the default colour standing for the button face.
std::uint32_t OpaqueArgb(Colour colour);

}  // namespace dw::ui
