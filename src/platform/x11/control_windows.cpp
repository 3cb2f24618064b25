#include "platform/x11/control_windows.h"

#include "platform/codepage.h"
#include "ui/interaction/text_rules.h"
#include "ui/picture/picture.h"
#include "ui/properties.h"

namespace dw::x11 {

namespace {
constexpr ui::Colour kEdgeHighlight = 0xFFFFFF, kEdgeShadow = 0xA0A0A0;

bool HasWindow(const ui::ControlRecord& r) {
  return r.visible && (r.cls == ui::ControlClass::Label || r.cls == ui::ControlClass::PicBox ||
                       r.cls == ui::ControlClass::SuperBtn);
}

void SetUtf8(Display* d, Window w, Atom property, Atom utf8, const std::string& value) {
  XChangeProperty(d, w, property, utf8, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(value.data()),
                  static_cast<int>(value.size()));
}
}  // namespace

ControlWindows::ControlWindows(Display* display, const char* displayName, const Atoms& atoms,
                               Window parent, int frame, ui::ControlModel& model,
                               const ui::Interaction& interaction, TextDrawer& text)
    : display_(display),
      displayName_(displayName ? displayName : ""),
      atoms_(atoms),
      model_(model),
      interaction_(interaction),
      text_(text),
      views_(model.Count()) {
  std::vector<Window> stack;
  for (int i = 0; i < model.Count(); ++i) {
    const ui::ControlRecord& r = model.Record(i);
    if (!HasWindow(r) || r.width <= 0 || r.height <= 0) continue;
    XSetWindowAttributes a{};
    a.event_mask = ButtonPressMask | ButtonReleaseMask;
    if (r.cls == ui::ControlClass::SuperBtn)
      a.event_mask |= EnterWindowMask | LeaveWindowMask | PointerMotionMask;
    // Every control learns when it is fully covered: its painting waits until it shows.
    a.event_mask |= VisibilityChangeMask;
    View& v = views_[i];
    v.window = XCreateWindow(display, parent, frame + r.left, frame + r.top, r.width, r.height, 0,
                             CopyFromParent, InputOutput, CopyFromParent, CWEventMask, &a);
    SetUtf8(display, v.window, atoms.netWmName, atoms.utf8String, r.name);
    v.canvas = std::make_unique<Canvas>(display, v.window, r.width, r.height);
    PublishText(i);
    dirty_.insert(i);  // painted once, just before the window is first shown
    stack.push_back(v.window);
  }
  // Layout order is stacking order, the first on top.
  if (!stack.empty()) XRestackWindows(display, stack.data(), static_cast<int>(stack.size()));
  XMapSubwindows(display, parent);
}

ControlWindows::~ControlWindows() {
  StopAnimations();
  for (View& v : views_) {
    v.canvas.reset();
    if (v.window) XDestroyWindow(display_, v.window);
  }
}

int ControlWindows::ControlOf(Window window) const {
  if (!window) return -1;
  for (int i = 0; i < static_cast<int>(views_.size()); ++i)
    if (views_[i].window == window) return i;
  return -1;
}

const std::string& ControlWindows::CaptionUtf8(int control) {
  View& v = views_[control];
  const Text& caption = model_.Caption(control);
  if (!v.captionCached || caption != v.captionGbk) {
    v.captionGbk = caption;
    v.captionUtf8 = platform::GbkToUtf8(caption);
    v.captionCached = true;
  }
  return v.captionUtf8;
}

std::string ControlWindows::TipUtf8(int control) const {
  return platform::GbkToUtf8(model_.Tip(control));
}

void ControlWindows::PublishText(int control) {
  View& v = views_[control];
  if (!v.window) return;
  ui::ControlClass cls = model_.Record(control).cls;
  if (cls == ui::ControlClass::Label || cls == ui::ControlClass::SuperBtn) {
    const std::string& text = CaptionUtf8(control);
    if (!v.textPublished || text != v.publishedText) {
      SetUtf8(display_, v.window, atoms_.deskwatchText, atoms_.utf8String, text);
      v.publishedText = text;
      v.textPublished = true;
    }
  }
  if (cls == ui::ControlClass::SuperBtn) {
    std::string tip = TipUtf8(control);
    if (!v.tipPublished || tip != v.publishedTip) {
      SetUtf8(display_, v.window, atoms_.deskwatchTip, atoms_.utf8String, tip);
      v.publishedTip = std::move(tip);
      v.tipPublished = true;
    }
  }
}

void ControlWindows::PropertyChanged(int control, int number) {
  if (control < 0 || control >= static_cast<int>(views_.size()) || !views_[control].window) return;
  ui::ControlClass cls = model_.Record(control).cls;
  if ((cls == ui::ControlClass::Label && number == ui::prop::kLabelCaption) ||
      (cls == ui::ControlClass::SuperBtn &&
       (number == ui::prop::kButtonCaption || number == ui::prop::kButtonTip)))
    textDirty_.insert(control);  // published with the repaint: a handler may write twice
  if (cls == ui::ControlClass::PicBox) {
    // A new picture, or a new background that its transparent parts show: decode again.
    if (number == ui::prop::kPicPicture ||
        (number == ui::prop::kPicBackground && !model_.Picture(control).empty())) {
      LoadPicture(control);
      // A playing animation has painted the box already and owns its buffer now.
      if (views_[control].player) return;
    }
  }
  if (cls == ui::ControlClass::SuperBtn && number == ui::prop::kButtonTip) return;
  dirty_.insert(control);
}

void ControlWindows::PublishTexts() {
  std::set<int> texts;
  texts.swap(textDirty_);
  for (int control : texts) PublishText(control);
}

void ControlWindows::PaintPending() {
  PublishTexts();
  // Nobody sees a control of an unmapped (iconified) window or one fully covered: it stays
  // dirty and is painted when it shows again, so a hidden widget draws no text each second.
  std::set<int> dirty;
  for (auto it = dirty_.begin(); it != dirty_.end();) {
    if ((shown_ && hidden_) || views_[*it].obscured) {
      ++it;
    } else {
      dirty.insert(*it);
      it = dirty_.erase(it);
    }
  }
  for (int control : dirty) Paint(control);
}

namespace {
void Append(std::string& s, std::uint32_t v) {
  s.append(reinterpret_cast<const char*>(&v), 4);
}
}  // namespace

std::string ControlWindows::Signature(int control) const {
  // Everything a label or button is drawn from; the same signature draws the same pixels.
  std::string s;
  ui::ControlClass cls = model_.Record(control).cls;
  if (cls == ui::ControlClass::Label) {
    Append(s, model_.TextColour(control));
    Append(s, model_.Background(control));
  } else if (cls == ui::ControlClass::SuperBtn) {
    ui::ButtonLook look =
        interaction_.Look(control, model_.Background(control), model_.TextColour(control));
    Append(s, look.caption);
    Append(s, look.background);
    Append(s, static_cast<std::uint32_t>(look.edge));
    Append(s, static_cast<std::uint32_t>(look.offsetX));
    Append(s, static_cast<std::uint32_t>(look.offsetY));
  } else {
    return s;
  }
  s.push_back('\x01');
  s += model_.Caption(control);
  return s;
}

void ControlWindows::Paint(int control) {
  View& v = views_[control];
  if (!v.window || !v.canvas) return;
  ui::ControlClass cls = model_.Record(control).cls;
  if (cls == ui::ControlClass::Label || cls == ui::ControlClass::SuperBtn) {
    std::string signature = Signature(control);
    if (signature == v.painted) return;  // a write of what is shown already
    v.painted = std::move(signature);
  }
  cairo_t* cr = cairo_create(v.canvas->Surface());
  switch (model_.Record(control).cls) {
    case ui::ControlClass::Label:
      PaintLabel(control, cr);
      break;
    case ui::ControlClass::SuperBtn:
      PaintButton(control, cr);
      break;
    case ui::ControlClass::PicBox:
      PaintPicture(control, v, cr);
      break;
    default:
      break;
  }
  cairo_destroy(cr);
  v.canvas->Publish(v.window);
}

void ControlWindows::PaintLabel(int control, cairo_t* cr) {
  const ui::ControlRecord& r = model_.Record(control);
  FillRect(cr, 0, 0, r.width, r.height, model_.Background(control));
  text_.Draw(cr, CaptionUtf8(control), r.font, model_.TextColour(control), ui::LabelTextPlan(r),
             r.width, r.height, 0, 0, control);
}

void ControlWindows::PaintButton(int control, cairo_t* cr) {
  const ui::ControlRecord& r = model_.Record(control);
  ui::ButtonLook look =
      interaction_.Look(control, model_.Background(control), model_.TextColour(control));
  int w = r.width, h = r.height;
  FillRect(cr, 0, 0, w, h, look.background);
  if (look.edge != ui::Edge::Flat) {
    bool raised = look.edge == ui::Edge::Raised;
    ui::Colour tl = raised ? kEdgeHighlight : kEdgeShadow;
    ui::Colour br = raised ? kEdgeShadow : kEdgeHighlight;
    FillRect(cr, 0, 0, w, 1, tl);
    FillRect(cr, 0, 0, 1, h, tl);
    FillRect(cr, 0, h - 1, w, 1, br);
    FillRect(cr, w - 1, 0, 1, h, br);
  }
  // At rest the caption has the background's colour: nothing to draw (and no font to load
  // before the pointer first comes).
  if (ui::ResolveColour(look.caption) == ui::ResolveColour(look.background)) return;
  text_.Draw(cr, CaptionUtf8(control), r.font, look.caption, ui::ButtonTextPlan(), w, h,
             look.offsetX, look.offsetY, control);
}

void ControlWindows::PaintPicture(int control, View& v, cairo_t* cr) {
  const ui::ControlRecord& r = model_.Record(control);
  FillRect(cr, 0, 0, r.width, r.height, model_.Background(control));
  if (v.still) DrawFrame(cr, *v.still, v.place.x, v.place.y);
}

void ControlWindows::LoadPicture(int control) {
  View& v = views_[control];
  StopPlayer(v);
  v.still.reset();
  v.animation.reset();
  const ui::ControlRecord& r = model_.Record(control);
  const ByteSet& bytes = model_.Picture(control);
  ui::Colour backdrop = model_.Background(control);
  if (bytes.empty()) return;
  std::optional<ui::Frame> first;
  bool animated = false;
  if (ui::SniffPicture(bytes) == ui::PictureFormat::Gif) {
    // Only the first frame here, so the box is complete when the window shows; the
    // animation thread decodes the whole picture.
    first = ui::DecodeFirstFrame(bytes, backdrop);
    animated = first.has_value();
  } else if (auto picture = ui::DecodePicture(bytes, backdrop)) {
    first = std::move(picture->frames.front());
  }
  if (!first) return;
  v.place = ui::PictureRect(r.displayMode, r.width, r.height, first->width, first->height);
  if (v.place.width <= 0 || v.place.height <= 0) return;
  if (v.place.width != first->width || v.place.height != first->height)
    first = ui::ScaleFrame(*first, v.place.width, v.place.height);
  v.still = std::move(first);
  if (animated) {
    // The thread starts decoding at once, on the other core while start-up goes on here;
    // it plays once the window can be seen.
    v.animation = std::make_shared<const ByteSet>(bytes);
    StartPlayer(v, control);
  }
}

void ControlWindows::StartPlayer(View& v, int control) {
  if (!v.animation || v.player) return;
  const ui::ControlRecord& r = model_.Record(control);
  // The buffer must show the box's current state before the thread draws into it.
  dirty_.erase(control);
  Paint(control);
  XSync(display_, False);
  v.sink = std::make_unique<AnimationSink>(displayName_.c_str(), v.window, v.canvas->Id(), r.width,
                                           r.height, v.place.x, v.place.y);
  v.player = std::make_unique<ui::AnimationPlayer>(
      v.animation, model_.Background(control), ui::Size{v.place.width, v.place.height}, *v.sink);
  v.player->Start();
  UpdatePause(v);
}

void ControlWindows::StopPlayer(View& v) {
  if (v.player) v.player->Stop();
  v.player.reset();
  v.sink.reset();
}

void ControlWindows::UpdatePause(View& v) {
  if (!v.player) return;
  if (v.obscured || hidden_)
    v.player->Pause();
  else
    v.player->Resume();
}

void ControlWindows::Shown() {
  shown_ = true;
  hidden_ = false;
  for (int i = 0; i < static_cast<int>(views_.size()); ++i) {
    if (views_[i].animation && !views_[i].player) StartPlayer(views_[i], i);
    UpdatePause(views_[i]);
  }
}

void ControlWindows::SetObscured(Window window, bool obscured) {
  int control = ControlOf(window);
  if (control < 0) return;
  View& v = views_[control];
  if (v.obscured == obscured) return;
  v.obscured = obscured;
  UpdatePause(v);
}

void ControlWindows::SetAllHidden(bool hidden) {
  if (hidden_ == hidden) return;
  hidden_ = hidden;
  for (View& v : views_) UpdatePause(v);
}

void ControlWindows::StopAnimations() {
  for (View& v : views_) StopPlayer(v);
}

}  // namespace dw::x11
