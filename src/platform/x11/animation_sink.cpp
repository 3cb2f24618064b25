#include "platform/x11/animation_sink.h"

#include <cairo-xlib.h>

#include "platform/x11/canvas.h"

namespace dw::x11 {

AnimationSink::AnimationSink(const char* displayName, Window window, Pixmap buffer, int width,
                             int height, int x, int y)
    : window_(window), x_(x), y_(y) {
  display_ = XOpenDisplay(displayName);
  if (!display_) return;
  int screen = DefaultScreen(display_);
  surface_ =
      cairo_xlib_surface_create(display_, buffer, DefaultVisual(display_, screen), width, height);
}

AnimationSink::~AnimationSink() {
  if (surface_) cairo_surface_destroy(surface_);
  if (display_) XCloseDisplay(display_);
}

void AnimationSink::ShowFrame(const ui::Frame& frame) {
  if (!surface_) return;
  cairo_t* cr = cairo_create(surface_);
  DrawFrame(cr, frame, x_, y_);
  cairo_destroy(cr);
  cairo_surface_flush(surface_);
  // The buffer is the window's background: clearing the frame's area shows it.
  XClearArea(display_, window_, x_, y_, frame.width, frame.height, False);
  XFlush(display_);
}

}  // namespace dw::x11
