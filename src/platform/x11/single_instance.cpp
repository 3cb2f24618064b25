// The selection claim and the activation of the running widget.
//
// The check and the claim run under a server grab, so two widgets started at the same
// moment cannot both become the first. The running widget's window is found by its class
// (WM_CLASS "deskwatch") and the process id it shares with the selection owner window.
#include "platform/x11/single_instance.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

namespace dw::platform {

namespace {

constexpr char kClass[] = "deskwatch";

// X errors while looking at another process's windows (they may vanish meanwhile) are
// expected and must not end the program, as Xlib's default handler would.
int IgnoreXError(Display*, XErrorEvent*) {
  return 0;
}

class QuietErrors {
 public:
  QuietErrors() : previous_(XSetErrorHandler(IgnoreXError)) {}
  ~QuietErrors() { XSetErrorHandler(previous_); }

 private:
  XErrorHandler previous_;
};

// A server time stamp, as the selection rules ask for instead of CurrentTime: a zero-length
// append to a property of our own window reports the server's time.
Time ServerTime(Display* display, Window window) {
  const Atom atom = XInternAtom(display, "_DESKWATCH_TIMESTAMP", False);
  XSelectInput(display, window, PropertyChangeMask);
  unsigned char nothing = 0;
  XChangeProperty(display, window, atom, XA_STRING, 8, PropModeAppend, &nothing, 0);
  XEvent event;
  XWindowEvent(display, window, PropertyChangeMask, &event);
  XSelectInput(display, window, NoEventMask);
  return event.xproperty.time;
}

// A CARDINAL property's first value, or 0.
unsigned long CardinalOf(Display* display, Window window, Atom property) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  unsigned long value = 0;
  if (XGetWindowProperty(display, window, property, 0, 1, False, XA_CARDINAL, &type, &format,
                         &count, &after, &data) == Success &&
      data != nullptr && format == 32 && count == 1) {
    value = *reinterpret_cast<unsigned long*>(data);
  }
  if (data) XFree(data);
  return value;
}

// A window's list-of-WINDOW property, e.g. the window manager's _NET_CLIENT_LIST.
std::vector<Window> WindowsOf(Display* display, Window window, Atom property) {
  std::vector<Window> windows;
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, property, 0, 4096, False, XA_WINDOW, &type, &format,
                         &count, &after, &data) == Success &&
      data != nullptr && format == 32) {
    const auto* ids = reinterpret_cast<unsigned long*>(data);
    windows.assign(ids, ids + count);
  }
  if (data) XFree(data);
  return windows;
}

std::vector<Window> ChildrenOf(Display* display, Window window) {
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  std::vector<Window> result;
  if (XQueryTree(display, window, &root, &parent, &children, &count) && children) {
    result.assign(children, children + count);
  }
  if (children) XFree(children);
  return result;
}

bool IsWidgetWindow(Display* display, Window window, Atom pidAtom, unsigned long pid) {
  XClassHint hint{};
  if (!XGetClassHint(display, window, &hint)) return false;
  const bool ours = hint.res_class && std::strcmp(hint.res_class, kClass) == 0;
  if (hint.res_name) XFree(hint.res_name);
  if (hint.res_class) XFree(hint.res_class);
  if (!ours) return false;
  const unsigned long windowPid = CardinalOf(display, window, pidAtom);
  return pid == 0 || windowPid == 0 || windowPid == pid;
}

// The running widget's main window: among the window manager's clients, else among the
// top-level windows and, under a reparenting manager without the client list, their
// children. 0 while that widget has not made its window yet.
Window FindWidgetWindow(Display* display, Window root, unsigned long pid) {
  const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
  std::vector<Window> candidates =
      WindowsOf(display, root, XInternAtom(display, "_NET_CLIENT_LIST", False));
  if (candidates.empty()) {
    for (Window top : ChildrenOf(display, root)) {
      candidates.push_back(top);
      for (Window child : ChildrenOf(display, top)) candidates.push_back(child);
    }
  }
  for (Window window : candidates) {
    if (IsWidgetWindow(display, window, pidAtom, pid)) return window;
  }
  return 0;
}

bool ManagerSupports(Display* display, Window root, Atom hint) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  bool found = false;
  if (XGetWindowProperty(display, root, XInternAtom(display, "_NET_SUPPORTED", False), 0, 4096,
                         False, XA_ATOM, &type, &format, &count, &after, &data) == Success &&
      data != nullptr && format == 32) {
    const auto* atoms = reinterpret_cast<unsigned long*>(data);
    for (unsigned long i = 0; i < count && !found; ++i) found = atoms[i] == hint;
  }
  if (data) XFree(data);
  return found;
}

// Brings the widget to the front: through the window manager when it has one (a request
// from a pager-like source, which focus-stealing rules let through), else directly.
void Activate(Display* display, int screen, Window owner) {
  const Window root = RootWindow(display, screen);
  const unsigned long pid = CardinalOf(display, owner, XInternAtom(display, "_NET_WM_PID", False));
  const Window window = FindWidgetWindow(display, root, pid);
  if (window == 0) return;  // still starting: it will show by itself
  const Atom active = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
  if (ManagerSupports(display, root, active)) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = active;
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2;  // source: pager
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  } else {
    XRaiseWindow(display, window);
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
  }
  XSync(display, False);
}

}  // namespace

SingleInstance::SingleInstance() {
  XInitThreads();  // before the first Xlib call: the widget draws from two threads
  Display* display = XOpenDisplay(nullptr);
  if (!display) return;
  QuietErrors quiet;
  const int screen = DefaultScreen(display);
  const std::string name = "_DESKWATCH_S" + std::to_string(screen);
  const Atom selection = XInternAtom(display, name.c_str(), False);

  // The owner window: never mapped, named, carrying our process id for the activation.
  XSetWindowAttributes attributes{};
  const Window window = XCreateWindow(display, RootWindow(display, screen), -1, -1, 1, 1, 0, 0,
                                      InputOnly, CopyFromParent, 0, &attributes);
  XStoreName(display, window, "deskwatch instance");
  const unsigned long pid = static_cast<unsigned long>(getpid());
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
  const Time now = ServerTime(display, window);

  XGrabServer(display);
  const Window owner = XGetSelectionOwner(display, selection);
  if (owner == None) XSetSelectionOwner(display, selection, window, now);
  XUngrabServer(display);
  XSync(display, False);

  if (owner == None && XGetSelectionOwner(display, selection) == window) {
    display_ = display;  // held until this object goes
    outcome_ = Outcome::First;
    return;
  }
  if (owner != None) Activate(display, screen, owner);
  outcome_ = Outcome::AlreadyRunning;
  XCloseDisplay(display);
}

SingleInstance::~SingleInstance() {
  if (display_) XCloseDisplay(display_);
}

}  // namespace dw::platform
