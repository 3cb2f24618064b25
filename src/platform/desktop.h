// The window system's services that handlers call directly. The X11 backend implements
// them on the main window; tests use a recording fake.
#pragma once

#include <vector>

namespace dw::platform {

// One rectangle of a window shape, in the window's outer coordinates.
struct ShapeRect {
  int x, y, width, height;
};

class Desktop {
 public:
  virtual ~Desktop() = default;
  // The default alert sound; returns at once.
  virtual void Beep() = 0;
  // Per-window alpha 0..255 for the whole main window; once on, it stays on.
  virtual void SetWindowAlpha(int level) = 0;
  // The main window's visible shape becomes the union of the rectangles.
  virtual void SetWindowShape(const std::vector<ShapeRect>& rects) = 0;
};

}  // namespace dw::platform
