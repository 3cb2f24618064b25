// The window shape from a picture: row runs of every pixel that is not the key colour.
#include "ui/picture/shape.h"

#include "ui/picture/picture.h"
#include "ui/picture/pixels.h"

namespace dw::ui {

std::optional<std::vector<platform::ShapeRect>> ShapeFromPicture(const ByteSet& picture,
                                                                 Colour key) {
  const PictureFormat format = SniffPicture(picture);
  // Icons are drawn on white; everything else has its transparency mixed with the key, so
  // transparent parts are cut away with it.
  const bool icon = format == PictureFormat::Icon || format == PictureFormat::Cursor;
  // The whole picture must decode, as in a picture box; its first frame gives the shape.
  std::optional<Picture> decoded = DecodePicture(picture, icon ? Colour{0xFFFFFF} : key);
  if (!decoded) return std::nullopt;
  const Frame* frame = &decoded->frames.front();
  const std::uint32_t keyRgb = OpaqueArgb(key) & 0xFFFFFF;
  std::vector<platform::ShapeRect> rects;
  for (int y = 0; y < frame->height; ++y) {
    const std::uint32_t* row = &frame->argb[static_cast<std::size_t>(y) * frame->width];
    for (int x = 0; x < frame->width;) {
      if ((row[x] & 0xFFFFFF) == keyRgb) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < frame->width && (row[x] & 0xFFFFFF) != keyRgb) ++x;
      rects.push_back({start, y, x - start, 1});
    }
  }
  return rects;
}

bool SetWindowShape(platform::Desktop& desktop, const ByteSet& picture, Colour key) {
  std::optional<std::vector<platform::ShapeRect>> rects = ShapeFromPicture(picture, key);
  if (!rects) return false;
  desktop.SetWindowShape(*rects);
  return true;
}

}  // namespace dw::ui
