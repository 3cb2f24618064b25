// Recognising a picture file by its first bytes and handing it to its format's loader.
#include <cstring>

#include "ui/picture/loaders.h"
#include "ui/picture/picture.h"
#include "ui/picture/pixels.h"

namespace dw::ui {
namespace detail {

bool PictureSizeAllowed(std::int64_t width, std::int64_t height, std::int64_t frames) {
  if (width <= 0 || height <= 0 || frames <= 0) return false;
  if (width > kMaxPictureSide || height > kMaxPictureSide) return false;
  return width * height <= kMaxPicturePixels / frames;
}

void KeepFrame(Picture& picture, Frame&& frame, const DecodeRequest& request) {
  if (picture.frames.empty()) {
    picture.naturalWidth = frame.width;
    picture.naturalHeight = frame.height;
  }
  if (request.frameSize &&
      (request.frameSize->width != frame.width || request.frameSize->height != frame.height)) {
    int delay = frame.delayMs;
    frame = ScaleFrame(frame, request.frameSize->width, request.frameSize->height);
    frame.delayMs = delay;
  }
  picture.width = frame.width;
  picture.height = frame.height;
  picture.frames.push_back(std::move(frame));
}

}  // namespace detail

PictureFormat SniffPicture(const ByteSet& bytes) {
  if (bytes.size() < 8) return PictureFormat::None;
  const std::uint8_t* b = bytes.data();
  if (b[0] == 'B' && b[1] == 'M') return PictureFormat::Bmp;
  if (b[0] == 0xFF && b[1] == 0xD8) return PictureFormat::Jpeg;
  if (b[0] == 0x89 && b[1] == 'P' && b[2] == 'N' && b[3] == 'G') return PictureFormat::Png;
  if (b[0] == 0 && b[1] == 0 && b[3] == 0 && (b[4] | b[5]) != 0) {
    if (b[2] == 1) return PictureFormat::Icon;
    if (b[2] == 2) return PictureFormat::Cursor;
  }
  if (std::memcmp(b, "GIF87a", 6) == 0 || std::memcmp(b, "GIF89a", 6) == 0)
    return PictureFormat::Gif;
  if (b[0] == 0x0A && b[1] <= 5 && b[2] == 1 && b[3] == 8) return PictureFormat::Pcx8;
  if (b[0] == 0x0A && b[1] == 3 && b[2] == 1 && b[3] == 1) return PictureFormat::Pcx1;
  return PictureFormat::None;
}

namespace {

std::optional<Picture> Decode(const ByteSet& bytes, const detail::DecodeRequest& request) {
  if (request.frameSize &&
      !detail::PictureSizeAllowed(request.frameSize->width, request.frameSize->height))
    return std::nullopt;
  detail::Bytes view(bytes.data(), bytes.size());
  switch (SniffPicture(bytes)) {
    case PictureFormat::Bmp:
      return detail::LoadBmp(view, request);
    case PictureFormat::Jpeg:
      return detail::LoadJpeg(view, request);
    case PictureFormat::Png:
      return detail::LoadPng(view, request);
    case PictureFormat::Icon:
    case PictureFormat::Cursor:
      return detail::LoadIcon(view, request);
    case PictureFormat::Gif:
      return detail::LoadGif(view, request);
    case PictureFormat::Pcx8:
    case PictureFormat::Pcx1:
      return detail::LoadPcx(view, request);
    case PictureFormat::None:
      break;
  }
  return std::nullopt;
}

}  // namespace

std::optional<Picture> DecodePicture(const ByteSet& bytes, Colour backdrop,
                                     std::optional<Size> frameSize) {
  std::optional<Picture> picture = Decode(bytes, {backdrop, frameSize});
  if (picture && picture->frames.empty()) return std::nullopt;
  return picture;
}

std::optional<Picture> DecodePicture(const ByteSet& bytes, Colour backdrop,
                                     std::optional<Size> frameSize,
                                     const std::atomic<bool>& cancel) {
  detail::DecodeRequest request{backdrop, frameSize};
  request.cancel = &cancel;
  std::optional<Picture> picture = Decode(bytes, request);
  if (picture && picture->frames.empty()) return std::nullopt;
  return picture;
}

std::optional<Frame> DecodeFirstFrame(const ByteSet& bytes, Colour backdrop,
                                      std::optional<Size> frameSize) {
  if (SniffPicture(bytes) == PictureFormat::Gif &&
      !detail::OutlineGif({bytes.data(), bytes.size()}).complete)
    return std::nullopt;
  std::optional<Picture> picture = Decode(bytes, {backdrop, frameSize, 1});
  if (!picture || picture->frames.empty()) return std::nullopt;
  return std::move(picture->frames.front());
}

std::uint32_t OpaqueArgb(Colour colour) {
  detail::Rgb c = detail::RgbOf(colour);
  return detail::Argb(c.r, c.g, c.b);
}

Frame SolidFrame(int width, int height, Colour colour) {
  Frame f;
  if (width <= 0 || height <= 0) return f;
  f.width = width;
  f.height = height;
  f.argb.assign(static_cast<std::size_t>(width) * height, OpaqueArgb(colour));
  return f;
}

}  // namespace dw::ui
