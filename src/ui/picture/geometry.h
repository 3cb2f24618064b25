// Where a picture box draws its picture, by display mode: 0 natural size at the top-left,
// 1 stretched over the whole box, 2 natural size centred when it fits, else scaled down
// keeping its proportions (sizes truncated) and centred.
#pragma once

namespace dw::ui {

struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

Rect PictureRect(int mode, int boxWidth, int boxHeight, int pictureWidth, int pictureHeight);

}  // namespace dw::ui
