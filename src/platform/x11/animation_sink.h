// Where the animation thread of a picture box puts its frames: into the box's buffer and
// onto the screen through an X connection of its own, so it keeps playing while the GUI
// thread blocks in a handler. Each distinct frame is sent to the server once and kept there
// as a pixmap (an animation loops over the same few dozen frames); showing it again is a
// copy on the server.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <unordered_map>

#include "platform/x11/xlib.h"

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
  // The frame's pixmap on the server, uploaded on first sight; 0 once the budget is spent.
  Pixmap Stored(const ui::Frame& frame);

  Display* display_ = nullptr;
  Window window_;
  Pixmap buffer_;
  GC gc_ = nullptr;
  cairo_surface_t* surface_ = nullptr;
  int x_, y_;
  std::unordered_map<std::uint64_t, Pixmap> stored_;  // by frame
  std::int64_t storedPixels_ = 0;
};

}  // namespace dw::x11
