#include "platform/x11/main_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>
#include <unistd.h>

#include "ui/picture/geometry.h"
#include "ui/picture/picture.h"

namespace dw::x11 {

namespace {
// The thin dialog frame as the system draws it: a raised two-pixel edge and a row of face.
constexpr ui::Colour k3dLight = 0xE3E3E3, k3dHighlight = 0xFFFFFF, k3dShadow = 0xA0A0A0,
                     k3dDarkShadow = 0x696969;

void EdgeRing(cairo_t* cr, int inset, int w, int h, ui::Colour topLeft, ui::Colour bottomRight) {
  int x = inset, y = inset, rw = w - 2 * inset, rh = h - 2 * inset;
  FillRect(cr, x, y, rw - 1, 1, topLeft);
  FillRect(cr, x, y, 1, rh - 1, topLeft);
  FillRect(cr, x, y + rh - 1, rw, 1, bottomRight);
  FillRect(cr, x + rw - 1, y, 1, rh, bottomRight);
}

long CurrentDesktop(Display* d, const Atoms& atoms) {
  Atom type;
  int format;
  unsigned long n = 0, after = 0;
  unsigned char* data = nullptr;
  long desktop = 0;
  if (XGetWindowProperty(d, DefaultRootWindow(d), atoms.netCurrentDesktop, 0, 1, False, XA_CARDINAL,
                         &type, &format, &n, &after, &data) == Success &&
      data && n == 1 && format == 32)
    desktop = *reinterpret_cast<long*>(data);
  if (data) XFree(data);
  return desktop;
}

void SetUtf8(Display* d, Window w, Atom property, Atom utf8, const std::string& value) {
  XChangeProperty(d, w, property, utf8, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(value.data()),
                  static_cast<int>(value.size()));
}

void SendState(Display* d, const Atoms& atoms, Window w) {
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = w;
  e.xclient.message_type = atoms.netWmState;
  e.xclient.format = 32;
  e.xclient.data.l[0] = 1;  // add
  e.xclient.data.l[1] = static_cast<long>(atoms.netWmStateSkipTaskbar);
  e.xclient.data.l[2] = static_cast<long>(atoms.netWmStateSkipPager);
  e.xclient.data.l[3] = 1;  // a normal application
  XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
}
}  // namespace

MainWindow::MainWindow(Display* display, const Atoms& atoms, const ui::WindowRecord& record,
                       const ByteSet& backgroundPicture)
    : display_(display), atoms_(atoms), frame_(record.frame) {
  int screen = DefaultScreen(display);
  width_ = record.width;
  height_ = record.height;
  // Centred on the screen, each division truncated toward zero.
  int x = (DisplayWidth(display, screen) - width_) / 2;
  int y = (DisplayHeight(display, screen) - height_) / 2;

  XSetWindowAttributes a{};
  a.event_mask = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                 PointerMotionMask | EnterWindowMask | LeaveWindowMask | StructureNotifyMask |
                 FocusChangeMask;
  a.background_pixel = WhitePixel(display, screen);
  window_ =
      XCreateWindow(display, RootWindow(display, screen), x, y, width_, height_, 0, CopyFromParent,
                    InputOutput, CopyFromParent, CWEventMask | CWBackPixel, &a);
  if (!window_) return;

  // Fixed size and the centred start position, which window managers honour as USPosition.
  XSizeHints* size = XAllocSizeHints();
  size->flags = USPosition | PPosition | PMinSize | PMaxSize | PWinGravity;
  size->x = x;
  size->y = y;
  size->min_width = size->max_width = width_;
  size->min_height = size->max_height = height_;
  size->win_gravity = NorthWestGravity;
  XWMHints* wm = XAllocWMHints();
  wm->flags = InputHint | StateHint;
  wm->input = True;
  wm->initial_state = NormalState;
  XClassHint* cls = XAllocClassHint();
  cls->res_name = const_cast<char*>("deskwatch");
  cls->res_class = const_cast<char*>("deskwatch");
  XTextProperty title{};
  char empty[] = "";
  char* list[] = {empty};
  XStringListToTextProperty(list, 1, &title);
  XSetWMProperties(display, window_, &title, &title, nullptr, 0, size, wm, cls);
  XFree(title.value);
  XFree(size);
  XFree(wm);
  XFree(cls);
  SetUtf8(display, window_, atoms.netWmName, atoms.utf8String, "");

  Atom protocols[] = {atoms.wmDeleteWindow};
  XSetWMProtocols(display, window_, protocols, 1);

  // No title bar, border or buttons.
  long motif[5] = {2 /* decorations */, 0, 0, 0, 0};
  XChangeProperty(display, window_, atoms.motifWmHints, atoms.motifWmHints, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(motif), 5);
  Atom type = atoms.netWmWindowTypeUtility;
  XChangeProperty(display, window_, atoms.netWmWindowType, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&type), 1);
  Atom states[] = {atoms.netWmStateSkipTaskbar, atoms.netWmStateSkipPager};
  XChangeProperty(display, window_, atoms.netWmState, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(states), 2);
  long pid = getpid();
  XChangeProperty(display, window_, atoms.netWmPid, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&pid), 1);
  long desktop = CurrentDesktop(display, atoms);
  XChangeProperty(display, window_, atoms.netWmDesktop, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&desktop), 1);

  PaintBackground(record, backgroundPicture);
}

MainWindow::~MainWindow() {
  Destroy();
}

void MainWindow::PaintBackground(const ui::WindowRecord& record, const ByteSet& picture) {
  canvas_ = std::make_unique<Canvas>(display_, window_, width_, height_);
  cairo_t* cr = cairo_create(canvas_->Surface());
  FillRect(cr, 0, 0, width_, height_, ui::kButtonFace);
  EdgeRing(cr, 0, width_, height_, k3dLight, k3dDarkShadow);
  EdgeRing(cr, 1, width_, height_, k3dHighlight, k3dShadow);
  int cw = width_ - 2 * frame_, ch = height_ - 2 * frame_;
  FillRect(cr, frame_, frame_, cw, ch, record.background);
  // The background picture by the rule of display mode 2, its transparent parts mixed with
  // the window's background colour.
  if (auto decoded = ui::DecodePicture(picture, record.background)) {
    const ui::Frame& full = decoded->frames.front();
    ui::Rect r = ui::PictureRect(2, cw, ch, full.width, full.height);
    if (r.width == full.width && r.height == full.height)
      DrawFrame(cr, full, frame_ + r.x, frame_ + r.y);
    else if (r.width > 0 && r.height > 0)
      DrawFrame(cr, ui::ScaleFrame(full, r.width, r.height), frame_ + r.x, frame_ + r.y);
  }
  cairo_destroy(cr);
  canvas_->Publish(window_);
}

void MainWindow::Show() {
  if (window_) XMapWindow(display_, window_);
}

void MainWindow::Mapped() {
  SendState(display_, atoms_, window_);
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = window_;
  e.xclient.message_type = atoms_.netActiveWindow;
  e.xclient.format = 32;
  e.xclient.data.l[0] = 1;  // a normal application
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(display_, DefaultRootWindow(display_), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

void MainWindow::Destroy() {
  if (!window_) return;
  canvas_.reset();
  XDestroyWindow(display_, window_);
  window_ = 0;
}

void MainWindow::SetShape(const std::vector<platform::ShapeRect>& rects) {
  if (!window_) return;
  std::vector<XRectangle> xr;
  xr.reserve(rects.size());
  for (const platform::ShapeRect& r : rects)
    if (r.width > 0 && r.height > 0)
      xr.push_back({static_cast<short>(r.x), static_cast<short>(r.y),
                    static_cast<unsigned short>(r.width), static_cast<unsigned short>(r.height)});
  int event = 0, error = 0;
  if (!XShapeQueryExtension(display_, &event, &error)) return;  // stays rectangular
  XShapeCombineRectangles(display_, window_, ShapeBounding, 0, 0, xr.data(),
                          static_cast<int>(xr.size()), ShapeSet, Unsorted);
}

void MainWindow::SetAlpha(int level) {
  if (!window_) return;
  if (level < 0) level = 0;
  if (level > 255) level = 255;
  unsigned long value = static_cast<unsigned long>(level) * 0x01010101UL;
  XChangeProperty(display_, window_, atoms_.netWmWindowOpacity, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&value), 1);
  alpha_ = level;
}

void MainWindow::SetStateText(const std::string& utf8) {
  if (!window_ || (stateSet_ && utf8 == state_)) return;
  state_ = utf8;
  stateSet_ = true;
  SetUtf8(display_, window_, atoms_.deskwatchState, atoms_.utf8String, utf8);
}

void MainWindow::SetFocusName(const std::string& utf8) {
  if (!window_ || (focusSet_ && utf8 == focus_)) return;
  focus_ = utf8;
  focusSet_ = true;
  SetUtf8(display_, window_, atoms_.deskwatchFocus, atoms_.utf8String, utf8);
}

bool MainWindow::WindowManagerCanMove() {
  Atom type;
  int format;
  unsigned long n = 0, after = 0;
  unsigned char* data = nullptr;
  bool found = false;
  if (XGetWindowProperty(display_, DefaultRootWindow(display_), atoms_.netSupported, 0, 4096, False,
                         XA_ATOM, &type, &format, &n, &after, &data) == Success &&
      data && format == 32) {
    Atom* list = reinterpret_cast<Atom*>(data);
    for (unsigned long i = 0; i < n; ++i)
      if (list[i] == atoms_.netWmMoveresize) found = true;
  }
  if (data) XFree(data);
  return found;
}

void MainWindow::StartDrag(int rootX, int rootY, Time time) {
  if (!window_) return;
  XUngrabPointer(display_, time);  // the press's own grab; the mover takes the pointer
  if (WindowManagerCanMove()) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window_;
    e.xclient.message_type = atoms_.netWmMoveresize;
    e.xclient.format = 32;
    e.xclient.data.l[0] = rootX;
    e.xclient.data.l[1] = rootY;
    e.xclient.data.l[2] = 8;  // move
    e.xclient.data.l[3] = Button1;
    e.xclient.data.l[4] = 1;  // a normal application
    XSendEvent(display_, DefaultRootWindow(display_), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(display_);
    return;
  }
  Window child;
  if (!XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), 0, 0, &windowStartX_,
                             &windowStartY_, &child))
    return;
  if (XGrabPointer(display_, window_, False, PointerMotionMask | ButtonReleaseMask, GrabModeAsync,
                   GrabModeAsync, None, None, time) != GrabSuccess)
    return;
  dragging_ = true;
  dragStartX_ = rootX;
  dragStartY_ = rootY;
}

void MainWindow::DragMotion(int rootX, int rootY) {
  if (!dragging_) return;
  XMoveWindow(display_, window_, windowStartX_ + rootX - dragStartX_,
              windowStartY_ + rootY - dragStartY_);
}

void MainWindow::DragEnd(Time time) {
  if (!dragging_) return;
  dragging_ = false;
  XUngrabPointer(display_, time);
}

}  // namespace dw::x11
