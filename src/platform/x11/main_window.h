// The top-level window: 340 × 341 with our own thin dialog frame, no decorations, fixed
// size, off the taskbar and pager; its background (frame, face colour and background
// picture) painted once; its shape, alpha, automation properties and window moving.
#pragma once

#include "platform/x11/xlib.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/x11/atoms.h"
#include "platform/x11/canvas.h"
#include "text/values.h"
#include "ui/layout.h"

namespace dw::x11 {

class MainWindow {
 public:
  MainWindow(Display* display, const Atoms& atoms, const ui::WindowRecord& record,
             const ByteSet& backgroundPicture);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  Window Id() const { return window_; }
  bool Valid() const { return window_ != 0; }
  int Frame() const { return frame_; }

  void Show();
  // The window manager has mapped it: repeat what some window managers drop, and ask to
  // be the active window as a newly shown window is.
  void Mapped();
  void Destroy();

  void SetShape(const std::vector<platform::ShapeRect>& rects);
  void SetAlpha(int level);
  std::optional<int> Alpha() const { return alpha_; }
  // Sets a UTF-8 property of the window, only when its value changed.
  void SetStateText(const std::string& utf8);
  void SetFocusName(const std::string& utf8);

  // Moves the window from a left-button press at root (x, y): the window manager's move when
  // it offers one, else our own grab.
  void StartDrag(int rootX, int rootY, Time time);
  bool Dragging() const { return dragging_; }
  void DragMotion(int rootX, int rootY);
  void DragEnd(Time time);

 private:
  void PaintBackground(const ui::WindowRecord& record, const ByteSet& picture);
  bool WindowManagerCanMove();

  Display* display_;
  const Atoms& atoms_;
  Window window_ = 0;
  int frame_ = 3;
  int width_ = 0, height_ = 0;
  std::unique_ptr<Canvas> canvas_;
  std::optional<int> alpha_;
  std::string state_, focus_;
  bool stateSet_ = false, focusSet_ = false;
  bool dragging_ = false;
  int dragStartX_ = 0, dragStartY_ = 0, windowStartX_ = 0, windowStartY_ = 0;
};

}  // namespace dw::x11
