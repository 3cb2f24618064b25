// A child window for every control that is seen (labels, picture boxes, buttons), at its
// layout place and stacked in layout order, first on top. Each paints into its own buffer
// from the control model (and, for buttons, the interaction state) and carries its layout
// name, caption and tip as properties for automation. Picture boxes decode what is written
// into them and play animated pictures on a thread.
#pragma once

#include "platform/x11/xlib.h"

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/x11/animation_sink.h"
#include "platform/x11/atoms.h"
#include "platform/x11/canvas.h"
#include "platform/x11/text_drawing.h"
#include "ui/control_model.h"
#include "ui/interaction/interaction.h"
#include "ui/picture/animation.h"
#include "ui/picture/geometry.h"

namespace dw::x11 {

class ControlWindows {
 public:
  ControlWindows(Display* display, const char* displayName, const Atoms& atoms, Window parent,
                 int frame, ui::ControlModel& model, const ui::Interaction& interaction,
                 TextDrawer& text);
  ~ControlWindows();
  ControlWindows(const ControlWindows&) = delete;
  ControlWindows& operator=(const ControlWindows&) = delete;

  // The control shown by that window, -1 when none.
  int ControlOf(Window window) const;

  // A property of the model changed: properties of the window, pictures, repaint.
  void PropertyChanged(int control, int number);
  // Marks a control for repainting at the next PaintPending.
  void Invalidate(int control) { dirty_.insert(control); }
  void PaintPending();
  // Sets the caption and tip properties that changed since the last time.
  void PublishTexts();

  // The main window has been shown: animations may play.
  void Shown();
  // Pauses animations of a box while it cannot be seen.
  void SetObscured(Window window, bool obscured);
  void SetAllHidden(bool hidden);
  // Stops every animation thread and waits for it (before the windows go).
  void StopAnimations();

  const std::string& CaptionUtf8(int control);
  std::string TipUtf8(int control) const;

 private:
  struct View {
    Window window = 0;
    std::unique_ptr<Canvas> canvas;
    Text captionGbk;
    std::string captionUtf8;
    bool captionCached = false;
    std::string publishedText, publishedTip;  // what the window's properties say
    bool textPublished = false, tipPublished = false;
    std::string painted;  // what the buffer shows (labels, buttons); repaint only on change
    // Picture boxes.
    std::optional<ui::Frame> still;  // the picture (or an animation's first frame), scaled
    ui::Rect place;                  // where the picture goes in the box
    std::shared_ptr<const ByteSet> animation;  // bytes to play, when animated
    std::unique_ptr<AnimationSink> sink;
    std::unique_ptr<ui::AnimationPlayer> player;
    bool obscured = false;
  };
  void Paint(int control);
  std::string Signature(int control) const;
  void PaintLabel(int control, cairo_t* cr);
  void PaintButton(int control, cairo_t* cr);
  void PaintPicture(int control, View& v, cairo_t* cr);
  void LoadPicture(int control);
  void StartPlayer(View& v, int control);
  void StopPlayer(View& v);
  void UpdatePause(View& v);
  void PublishText(int control);

  Display* display_;
  std::string displayName_;
  const Atoms& atoms_;
  ui::ControlModel& model_;
  const ui::Interaction& interaction_;
  TextDrawer& text_;
  std::vector<View> views_;
  std::set<int> dirty_;
  std::set<int> textDirty_;
  bool shown_ = false;
  bool hidden_ = true;
};

}  // namespace dw::x11
