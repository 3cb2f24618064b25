#include "platform/x11/tooltip.h"

#include <algorithm>

#include "ui/interaction/text_rules.h"

namespace dw::x11 {

namespace {
constexpr ui::Colour kInfoBackground = 0xE1FFFF;  // the system's tooltip colours
constexpr ui::Colour kInfoText = 0x000000;
constexpr ui::Colour kBorder = 0x767676;
constexpr int kPadX = 4, kPadY = 2;
constexpr ui::FontSpec kTipFont{0, 400, 0, 0, 0, 0, 0, "", true};
}  // namespace

Tooltip::Tooltip(Display* display, TextDrawer& text) : display_(display), text_(text) {
  int screen = DefaultScreen(display);
  XSetWindowAttributes a{};
  a.override_redirect = True;
  a.save_under = True;
  window_ = XCreateWindow(display, RootWindow(display, screen), 0, 0, 1, 1, 0, CopyFromParent,
                          InputOutput, CopyFromParent, CWOverrideRedirect | CWSaveUnder, &a);
}

Tooltip::~Tooltip() {
  canvas_.reset();
  XDestroyWindow(display_, window_);
}

void Tooltip::Show(const std::string& utf8, int rootX, int rootY) {
  if (utf8.empty()) return;
  int tw = 0, th = 0;
  text_.Measure(utf8, kTipFont, ui::kTipWrapWidth, tw, th);
  int w = std::max(tw, 1) + 2 * kPadX + 2, h = std::max(th, 1) + 2 * kPadY + 2;
  int screen = DefaultScreen(display_);
  ui::TipPlace at = ui::PlaceTip(rootX, rootY, w, h, DisplayWidth(display_, screen),
                                 DisplayHeight(display_, screen));
  canvas_ = std::make_unique<Canvas>(display_, window_, w, h);
  cairo_t* cr = cairo_create(canvas_->Surface());
  FillRect(cr, 0, 0, w, h, kBorder);
  FillRect(cr, 1, 1, w - 2, h - 2, kInfoBackground);
  cairo_translate(cr, 1 + kPadX, 1 + kPadY);
  text_.Draw(cr, utf8, kTipFont, kInfoText, ui::TextPlan{true, false, ui::HAlign::Left},
             ui::kTipWrapWidth, th);
  cairo_destroy(cr);
  XMoveResizeWindow(display_, window_, at.x, at.y, w, h);
  canvas_->Publish(window_);
  XMapRaised(display_, window_);
  shown_ = true;
}

void Tooltip::Hide() {
  if (!shown_) return;
  XUnmapWindow(display_, window_);
  shown_ = false;
}

}  // namespace dw::x11
