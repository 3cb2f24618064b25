// Display modes of a picture box.
#include "ui/picture/geometry.h"

#include <cstdint>

namespace dw::ui {

Rect PictureRect(int mode, int boxWidth, int boxHeight, int pictureWidth, int pictureHeight) {
  switch (mode) {
    case 0:
      return {0, 0, pictureWidth, pictureHeight};
    case 1:
      return {0, 0, boxWidth, boxHeight};
    default:
      break;
  }
  int w = pictureWidth, h = pictureHeight;
  if ((w > boxWidth || h > boxHeight) && w > 0 && h > 0) {
    // Scale by the smaller ratio; compare the ratios exactly by cross-multiplying.
    std::int64_t byWidth = std::int64_t{boxWidth} * h, byHeight = std::int64_t{boxHeight} * w;
    if (byWidth <= byHeight) {
      h = static_cast<int>(std::int64_t{h} * boxWidth / w);
      w = boxWidth;
    } else {
      w = static_cast<int>(std::int64_t{w} * boxHeight / h);
      h = boxHeight;
    }
  }
  return {(boxWidth - w) / 2, (boxHeight - h) / 2, w, h};
}

}  // namespace dw::ui
