// PNG through libpng's simplified reader, which keeps libpng's error jumps inside libpng.
#include <png.h>

#include "ui/picture/loaders.h"
#include "ui/picture/pixels.h"

namespace dw::ui::detail {

std::optional<Picture> LoadPng(Bytes bytes, const DecodeRequest& request) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
    png_image_free(&image);
    return std::nullopt;
  }
  if (!PictureSizeAllowed(image.width, image.height)) {
    png_image_free(&image);
    return std::nullopt;
  }
  image.format = PNG_FORMAT_RGBA;
  std::vector<std::uint8_t> rgba(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  Frame frame;
  frame.width = static_cast<int>(image.width);
  frame.height = static_cast<int>(image.height);
  frame.argb.resize(static_cast<std::size_t>(frame.width) * frame.height);
  const Rgb backdrop = RgbOf(request.backdrop);
  for (std::size_t i = 0; i < frame.argb.size(); ++i) {
    const std::uint8_t* p = &rgba[i * 4];
    frame.argb[i] = MixOver(p[0], p[1], p[2], p[3], backdrop);
  }
  png_image_free(&image);
  Picture picture;
  KeepFrame(picture, std::move(frame), request);
  return picture;
}

}  // namespace dw::ui::detail
