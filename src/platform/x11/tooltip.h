// The buttons' tip: a small popup of our own (override-redirect, so no window manager
// places or decorates it) in the system's tooltip colours, its text wrapped at 400 pixels.
#pragma once

#include "platform/x11/xlib.h"

#include <memory>
#include <string>

#include "platform/x11/canvas.h"
#include "platform/x11/text_drawing.h"

namespace dw::x11 {

class Tooltip {
 public:
  Tooltip(Display* display, TextDrawer& text);
  ~Tooltip();
  Tooltip(const Tooltip&) = delete;
  Tooltip& operator=(const Tooltip&) = delete;

  // Shows the text for a pointer at (rootX, rootY); an empty text shows nothing.
  void Show(const std::string& utf8, int rootX, int rootY);
  void Hide();
  bool Shown() const { return shown_; }

 private:
  Display* display_;
  TextDrawer& text_;
  Window window_ = 0;
  std::unique_ptr<Canvas> canvas_;
  bool shown_ = false;
};

}  // namespace dw::x11
