// An off-screen buffer for one window: a server pixmap with a cairo surface on it. The
// window shows it as its background, so the server redraws exposed parts by itself and a
// repaint is one copy.
#pragma once

#include <cairo.h>
#include "platform/x11/xlib.h"

#include "ui/layout.h"
#include "ui/picture/picture.h"

namespace dw::x11 {

void SetSource(cairo_t* cr, ui::Colour colour);
void FillRect(cairo_t* cr, double x, double y, double w, double h, ui::Colour colour);
// Draws an opaque frame with its top-left at (x, y).
void DrawFrame(cairo_t* cr, const ui::Frame& frame, int x, int y);

class Canvas {
 public:
  Canvas(Display* display, Drawable like, int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  Pixmap Id() const { return pixmap_; }
  cairo_surface_t* Surface() const { return surface_; }
  // Shows the buffer's current content in the window.
  void Publish(Window window);

 private:
  Display* display_;
  int width_, height_;
  Pixmap pixmap_ = 0;
  cairo_surface_t* surface_ = nullptr;
};

}  // namespace dw::x11
