// One widget per X display. The first process owns the selection _DESKWATCH_S<screen> for as
// long as it lives (the way X clients mark a per-screen singleton); a later start finds the
// owner, brings that widget's window to the front and ends.
#pragma once

struct _XDisplay;

namespace dw::platform {

class SingleInstance {
 public:
  enum class Outcome {
    First,           // this process holds the selection now
    AlreadyRunning,  // another process holds it; its window was asked to the front
    NoDisplay,       // $DISPLAY cannot be opened: the program reports that itself
  };

  // Claims the selection on the display named by $DISPLAY, or activates the running widget.
  SingleInstance();
  // Closing the connection gives the selection up.
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  Outcome outcome() const { return outcome_; }

 private:
  _XDisplay* display_ = nullptr;  // open while this process holds the selection
  Outcome outcome_ = Outcome::NoDisplay;
};

}  // namespace dw::platform
