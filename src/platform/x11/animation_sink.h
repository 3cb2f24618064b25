// Where the animation thread of a picture box puts its frames: into the box's buffer and
// onto the screen through an X connection of its own, so it keeps playing while the GUI
// thread blocks in a handler.
#pragma once

#include <cairo.h>
#include "platform/x11/xlib.h"

#include "ui/picture/animation.h"

namespace dw::x11 {

class AnimationSink : public ui::FrameSink {
 public:
  // `buffer` is the box's off-screen pixmap (also its window background), `window` the
  // box's window; frames go to (x, y) of both. Without a connection of its own (the display
  // cannot be opened again) frames are dropped.
  AnimationSink(const char* displayName, Window window, Pixmap buffer, int width, int height, int x,
                int y);
  ~AnimationSink() override;
  AnimationSink(const AnimationSink&) = delete;
  AnimationSink& operator=(const AnimationSink&) = delete;

  void ShowFrame(const ui::Frame& frame) override;

 private:
  Display* display_ = nullptr;
  Window window_;
  cairo_surface_t* surface_ = nullptr;
  int x_, y_;
};

}  // namespace dw::x11
