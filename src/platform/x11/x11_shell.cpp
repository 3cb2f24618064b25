// The shell on X11: owns the connection, the main window, the control windows, the tip and
// the timers, turns X events into the interaction's input and runs the event loop.
#include "platform/x11/x11_shell.h"

#include "platform/x11/xlib.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>
#include <poll.h>

#include <cerrno>
#include <cstdlib>

#include "platform/x11/atoms.h"
#include "platform/x11/control_windows.h"
#include "platform/x11/main_window.h"
#include "platform/x11/text_drawing.h"
#include "platform/x11/timers.h"
#include "platform/x11/tooltip.h"
#include "ui/interaction/interaction.h"
#include "ui/properties.h"

namespace dw::platform {

namespace {

// Requests on windows that are already gone (a tip, a box while the window closes) are not
// worth ending the program for.
int QuietXError(Display*, XErrorEvent*) {
  return 0;
}

constexpr int kTipTimer = 1 << 20;  // timer id of the tip delay, beside the control indexes

ui::Key KeyOf(XKeyEvent& e) {
  switch (XLookupKeysym(&e, 0)) {
    case XK_Escape:
      return ui::Key::Escape;
    case XK_Return:
    case XK_KP_Enter:
      return ui::Key::Enter;
    case XK_Tab:
    case XK_ISO_Left_Tab:
      return ui::Key::Tab;
    case XK_space:
      return ui::Key::Space;
    default:
      return ui::Key::Other;
  }
}

ui::Modifiers ModsOf(unsigned state) {
  return ui::Modifiers{(state & ShiftMask) != 0, (state & ControlMask) != 0,
                       (state & Mod1Mask) != 0};
}

class X11Shell final : public Shell, public ui::ControlObserver {
 public:
  X11Shell(Display* display, std::string displayName)
      : display_(display), displayName_(std::move(displayName)), atoms_(x11::InternAtoms(display)) {
    int supported = 0;
    XkbSetDetectableAutoRepeat(display, True, &supported);
  }

  ~X11Shell() override {
    if (model_) model_->SetObserver(nullptr);
    controls_.reset();
    tooltip_.reset();
    main_.reset();
    text_.reset();
    XCloseDisplay(display_);
  }

  bool CreateMainWindow(ui::ControlModel& model, const ui::WindowRecord& window,
                        const ByteSet& backgroundPicture) override {
    text_ = std::make_unique<x11::TextDrawer>();
    main_ = std::make_unique<x11::MainWindow>(display_, atoms_, window, backgroundPicture);
    if (!main_->Valid()) return false;
    model_ = &model;
    records_.clear();
    for (int i = 0; i < model.Count(); ++i) records_.push_back(model.Record(i));
    interaction_ = std::make_unique<ui::Interaction>(records_);
    controls_ =
        std::make_unique<x11::ControlWindows>(display_, displayName_.c_str(), atoms_, main_->Id(),
                                              main_->Frame(), model, *interaction_, *text_);
    tooltip_ = std::make_unique<x11::Tooltip>(display_, *text_);
    model.SetObserver(this);
    for (int i = 0; i < model.Count(); ++i)
      if (model.Record(i).cls == ui::ControlClass::Timer && model.Period(i) > 0)
        timers_.SetPeriod(i, model.Period(i));
    main_->SetFocusName("");
    XSync(display_, False);
    running_ = true;
    return true;
  }

  void ShowCentred() override {
    if (!main_) return;
    controls_->PaintPending();
    main_->Show();
    XFlush(display_);
  }

  void Run(ShellEvents& events) override {
    events_ = &events;
    std::vector<pollfd> fds;
    std::vector<int> owners;
    while (running_) {
      while (running_ && XPending(display_)) {
        XEvent e;
        XNextEvent(display_, &e);
        Handle(e);
      }
      if (!running_) break;
      controls_->PaintPending();
      XFlush(display_);
      if (XEventsQueued(display_, QueuedAlready)) continue;
      fds.clear();
      owners.clear();
      fds.push_back({ConnectionNumber(display_), POLLIN, 0});
      owners.push_back(-2);
      timers_.CollectPollFds(fds, owners);
      if (poll(fds.data(), fds.size(), -1) < 0) {
        if (errno == EINTR) continue;
        break;
      }
      for (std::size_t i = 1; i < fds.size() && running_; ++i) {
        if (!(fds[i].revents & POLLIN)) continue;
        int id = owners[i];
        if (!timers_.Consume(id)) continue;
        if (id == kTipTimer)
          Execute(interaction_->TipTimerExpired());
        else
          events_->OnControlEvent(id, ControlEvent::Periodic);
      }
    }
    events_ = nullptr;
  }

  std::optional<int> AppliedAlpha() const override { return main_ ? main_->Alpha() : std::nullopt; }
  void PublishState(const std::string& utf8) override {
    // The controls' texts first: whoever sees the new state then finds them current too.
    if (controls_) controls_->PublishTexts();
    if (main_) main_->SetStateText(utf8);
  }

  void Beep() override {
    XBell(display_, 0);
    XFlush(display_);
  }
  void SetWindowAlpha(int level) override {
    if (main_) main_->SetAlpha(level);
  }
  void SetWindowShape(const std::vector<ShapeRect>& rects) override {
    if (main_) main_->SetShape(rects);
  }

  void OnPropertyChanged(int control, int number) override {
    if (model_->Record(control).cls == ui::ControlClass::Timer) {
      if (number == ui::prop::kTimerPeriod) timers_.SetPeriod(control, model_->Period(control));
      return;
    }
    if (controls_) controls_->PropertyChanged(control, number);
  }

 private:
  void Handle(XEvent& e) {
    if (!main_ || !main_->Valid()) return;
    const Window top = main_->Id();
    switch (e.type) {
      case KeyPress:
        Execute(interaction_->KeyDown(KeyOf(e.xkey), ModsOf(e.xkey.state)));
        break;
      case KeyRelease:
        Execute(interaction_->KeyUp(KeyOf(e.xkey)));
        break;
      case ButtonPress: {
        if (main_->Dragging()) break;
        lastTime_ = e.xbutton.time;
        int control = controls_->ControlOf(e.xbutton.window);
        if (e.xbutton.button == Button1)
          Execute(interaction_->LeftPress(control, {e.xbutton.x_root, e.xbutton.y_root}));
        else
          Execute(interaction_->OtherPress());
        break;
      }
      case ButtonRelease: {
        lastTime_ = e.xbutton.time;
        if (main_->Dragging()) {
          if (e.xbutton.button == Button1) main_->DragEnd(e.xbutton.time);
          break;
        }
        if (e.xbutton.button != Button1) break;
        int control = controls_->ControlOf(e.xbutton.window);
        bool inside = false;
        if (control >= 0) {
          const ui::ControlRecord& r = model_->Record(control);
          inside = e.xbutton.x >= 0 && e.xbutton.y >= 0 && e.xbutton.x < r.width &&
                   e.xbutton.y < r.height;
        }
        Execute(interaction_->LeftRelease(inside));
        break;
      }
      case MotionNotify:
        if (main_->Dragging()) {
          main_->DragMotion(e.xmotion.x_root, e.xmotion.y_root);
          break;
        }
        Execute(interaction_->PointerMotion(controls_->ControlOf(e.xmotion.window),
                                            {e.xmotion.x_root, e.xmotion.y_root},
                                            (e.xmotion.state & Button1Mask) != 0));
        break;
      case EnterNotify: {
        int control = controls_->ControlOf(e.xcrossing.window);
        if (control >= 0)
          Execute(interaction_->PointerEnter(control, {e.xcrossing.x_root, e.xcrossing.y_root},
                                             (e.xcrossing.state & Button1Mask) != 0));
        break;
      }
      case LeaveNotify: {
        int control = controls_->ControlOf(e.xcrossing.window);
        if (control >= 0) Execute(interaction_->PointerLeave(control));
        break;
      }
      case FocusIn:
      case FocusOut:
        if (e.xfocus.window != top || e.xfocus.mode == NotifyGrab ||
            e.xfocus.mode == NotifyUngrab || e.xfocus.detail == NotifyPointer ||
            e.xfocus.detail == NotifyInferior)
          break;
        Execute(interaction_->SetActive(e.type == FocusIn));
        break;
      case VisibilityNotify:
        controls_->SetObscured(e.xvisibility.window,
                               e.xvisibility.state == VisibilityFullyObscured);
        break;
      case MapNotify:
        if (e.xmap.window != top) break;
        if (!mappedOnce_) {
          mappedOnce_ = true;
          main_->Mapped();
          controls_->Shown();
        }
        controls_->SetAllHidden(false);
        break;
      case UnmapNotify:
        if (e.xunmap.window == top) controls_->SetAllHidden(true);
        break;
      case ClientMessage:
        if (e.xclient.message_type == atoms_.wmProtocols &&
            static_cast<Atom>(e.xclient.data.l[0]) == atoms_.wmDeleteWindow)
          Close();
        break;
      case DestroyNotify:
        if (e.xdestroywindow.window == top) running_ = false;
        break;
      default:
        break;
    }
  }

  void Execute(const ui::Actions& actions) {
    for (const ui::Action& a : actions) {
      if (!running_) return;
      switch (a.kind) {
        case ui::ActionKind::Repaint:
          controls_->Invalidate(a.control);
          break;
        case ui::ActionKind::Click:
          if (events_) events_->OnControlEvent(a.control, ControlEvent::Clicked);
          break;
        case ui::ActionKind::Close:
          Close();
          break;
        case ui::ActionKind::StartDrag:
          main_->StartDrag(a.at.x, a.at.y, lastTime_);
          break;
        case ui::ActionKind::ArmTipTimer:
          timers_.SetOnce(kTipTimer, ui::kTipDelayMs);
          break;
        case ui::ActionKind::CancelTipTimer:
          timers_.Cancel(kTipTimer);
          break;
        case ui::ActionKind::ShowTip:
          tooltip_->Show(controls_->TipUtf8(a.control), a.at.x, a.at.y);
          break;
        case ui::ActionKind::HideTip:
          tooltip_->Hide();
          break;
        case ui::ActionKind::FocusChanged:
          main_->SetFocusName(a.control >= 0 ? model_->Record(a.control).name : "");
          break;
      }
    }
  }

  // The window closes at once: animations stop before any window goes, then the windows are
  // destroyed and the loop ends.
  void Close() {
    if (!running_) return;
    running_ = false;
    controls_->StopAnimations();
    tooltip_->Hide();
    controls_.reset();
    main_->Destroy();
    XSync(display_, False);
  }

  Display* display_;
  std::string displayName_;
  x11::Atoms atoms_;
  ui::ControlModel* model_ = nullptr;
  std::vector<ui::ControlRecord> records_;  // the interaction reads the layout from here
  std::unique_ptr<x11::TextDrawer> text_;
  std::unique_ptr<x11::MainWindow> main_;
  std::unique_ptr<ui::Interaction> interaction_;
  std::unique_ptr<x11::ControlWindows> controls_;
  std::unique_ptr<x11::Tooltip> tooltip_;
  x11::TimerSet timers_;
  ShellEvents* events_ = nullptr;
  bool running_ = false;
  bool mappedOnce_ = false;
  Time lastTime_ = CurrentTime;
};

}  // namespace

std::unique_ptr<Shell> OpenX11Shell(const std::string& fontConfig, std::string& error) {
  XInitThreads();  // the animation thread has a connection of its own
  XSetErrorHandler(QuietXError);
  const char* name = std::getenv("DISPLAY");
  Display* display = XOpenDisplay(name);
  if (!display) {
    error = std::string("cannot open the X display \"") + (name ? name : "") + "\"";
    return nullptr;
  }
  x11::LoadFontSnippet(fontConfig);
  return std::make_unique<X11Shell>(display, name ? name : "");
}

}  // namespace dw::platform
