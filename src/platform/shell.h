// The window system as the program's shell sees it: the main window with a window per
// visible control built from the control model, shown once, and an event loop that hands
// every control event back on the GUI thread. The X11 backend implements it; a native
// backend of another system would implement the same.
#pragma once

#include <optional>
#include <string>

#include "platform/desktop.h"
#include "text/values.h"
#include "ui/control_model.h"

namespace dw::platform {

enum class ControlEvent { Periodic, Clicked };

class ShellEvents {
 public:
  virtual ~ShellEvents() = default;
  // An event of the control with that index in the model; runs to completion.
  virtual void OnControlEvent(int control, ControlEvent event) = 0;
};

class Shell : public Desktop {
 public:
  // Builds the main window and its controls, hidden, from the model (which the shell then
  // observes for the rest of its life). False when the window cannot be created.
  virtual bool CreateMainWindow(ui::ControlModel& model, const ui::WindowRecord& window,
                                const ByteSet& backgroundPicture) = 0;
  // Shows the main window centred on the primary screen.
  virtual void ShowCentred() = 0;
  // Runs the event loop until the main window has been destroyed.
  virtual void Run(ShellEvents& events) = 0;
  // The alpha level last applied to the main window; none before the first.
  virtual std::optional<int> AppliedAlpha() const = 0;
  // A one-line summary of the widget's state for automation (set only when it changed).
  virtual void PublishState(const std::string& utf8) = 0;
};

}  // namespace dw::platform
