#include "platform/x11/animation_sink.h"

#include <cairo-xlib.h>

#include "platform/x11/canvas.h"

namespace dw::x11 {

namespace {
// Server memory the frames of one animation may take (pixels); past it frames are drawn
// each time instead.
constexpr std::int64_t kStoredPixelBudget = 2'000'000;

// The player shows the frames of its decoded picture again and again, from the same
// buffers; a sample of the pixels guards against a buffer reused for other content.
std::uint64_t FrameKey(const ui::Frame& f) {
  std::uint64_t h = 1469598103934665603ULL;  // FNV-1a
  auto mix = [&h](std::uint64_t v) {
    h ^= v;
    h *= 1099511628211ULL;
  };
  mix(reinterpret_cast<std::uintptr_t>(f.argb.data()));
  mix(static_cast<std::uint64_t>(f.width) << 32 | static_cast<std::uint32_t>(f.height));
  for (std::size_t i = 0; i < f.argb.size(); i += 13) mix(f.argb[i]);
  return h;
}
}  // namespace

AnimationSink::AnimationSink(const char* displayName, Window window, Pixmap buffer, int width,
                             int height, int x, int y)
    : window_(window), buffer_(buffer), x_(x), y_(y) {
  display_ = XOpenDisplay(displayName);
  if (!display_) return;
  int screen = DefaultScreen(display_);
  surface_ =
      cairo_xlib_surface_create(display_, buffer, DefaultVisual(display_, screen), width, height);
  // No NoExpose event for every copy: nobody reads this connection's events.
  XGCValues values{};
  values.graphics_exposures = False;
  gc_ = XCreateGC(display_, buffer, GCGraphicsExposures, &values);
}

AnimationSink::~AnimationSink() {
  if (!display_) return;
  for (auto& [key, pixmap] : stored_) XFreePixmap(display_, pixmap);
  if (gc_) XFreeGC(display_, gc_);
  if (surface_) cairo_surface_destroy(surface_);
  XCloseDisplay(display_);
}

Pixmap AnimationSink::Stored(const ui::Frame& frame) {
  const std::uint64_t key = FrameKey(frame);
  if (auto it = stored_.find(key); it != stored_.end()) return it->second;
  const std::int64_t pixels = std::int64_t{frame.width} * frame.height;
  if (storedPixels_ + pixels > kStoredPixelBudget) return 0;
  int screen = DefaultScreen(display_);
  Pixmap pixmap =
      XCreatePixmap(display_, buffer_, frame.width, frame.height, DefaultDepth(display_, screen));
  cairo_surface_t* s = cairo_xlib_surface_create(display_, pixmap, DefaultVisual(display_, screen),
                                                 frame.width, frame.height);
  cairo_t* cr = cairo_create(s);
  DrawFrame(cr, frame, 0, 0);
  cairo_destroy(cr);
  cairo_surface_flush(s);
  cairo_surface_destroy(s);
  stored_.emplace(key, pixmap);
  storedPixels_ += pixels;
  return pixmap;
}

void AnimationSink::ShowFrame(const ui::Frame& frame) {
  if (!surface_ || frame.width <= 0 || frame.height <= 0) return;
  if (Pixmap stored = Stored(frame)) {
    XCopyArea(display_, stored, buffer_, gc_, 0, 0, frame.width, frame.height, x_, y_);
  } else {
    cairo_t* cr = cairo_create(surface_);
    DrawFrame(cr, frame, x_, y_);
    cairo_destroy(cr);
    cairo_surface_flush(surface_);
  }
  // The buffer is the window's background: clearing the frame's area shows it.
  XClearArea(display_, window_, x_, y_, frame.width, frame.height, False);
  XFlush(display_);
}

}  // namespace dw::x11
