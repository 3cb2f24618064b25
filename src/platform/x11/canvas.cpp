#include "platform/x11/canvas.h"

#include <cairo-xlib.h>

namespace dw::x11 {

void SetSource(cairo_t* cr, ui::Colour colour) {
  ui::Colour c = ui::ResolveColour(colour);
  cairo_set_source_rgb(cr, ui::Red(c) / 255.0, ui::Green(c) / 255.0, ui::Blue(c) / 255.0);
}

void FillRect(cairo_t* cr, double x, double y, double w, double h, ui::Colour colour) {
  SetSource(cr, colour);
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
}

void DrawFrame(cairo_t* cr, const ui::Frame& frame, int x, int y) {
  if (frame.width <= 0 || frame.height <= 0 ||
      frame.argb.size() < static_cast<std::size_t>(frame.width) * frame.height)
    return;
  cairo_surface_t* image = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(frame.argb.data())),
      CAIRO_FORMAT_ARGB32, frame.width, frame.height, frame.width * 4);
  cairo_save(cr);
  cairo_set_source_surface(cr, image, x, y);
  cairo_rectangle(cr, x, y, frame.width, frame.height);
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_surface_destroy(image);
}

Canvas::Canvas(Display* display, Drawable like, int width, int height)
    : display_(display), width_(width), height_(height) {
  int screen = DefaultScreen(display);
  pixmap_ = XCreatePixmap(display, like, width, height, DefaultDepth(display, screen));
  surface_ =
      cairo_xlib_surface_create(display, pixmap_, DefaultVisual(display, screen), width, height);
}

Canvas::~Canvas() {
  cairo_surface_destroy(surface_);
  XFreePixmap(display_, pixmap_);
}

void Canvas::Publish(Window window) {
  cairo_surface_flush(surface_);
  // Set again on every change: the server may have copied the pixmap when it was set.
  XSetWindowBackgroundPixmap(display_, window, pixmap_);
  XClearWindow(display_, window);
}

}  // namespace dw::x11
