// Captions on cairo with pango: fonts from the layout's LOGFONT-style records through
// fontconfig, laid out by the caption rules of ui/interaction/text_rules.h.
#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

#include <map>
#include <string>

#include "ui/interaction/text_rules.h"
#include "ui/layout.h"

namespace dw::x11 {

// Adds the program's font substitutions (fontconfig XML) to the current configuration.
// Must run before the first text is laid out. False when the snippet does not load; the
// faces then fall back to whatever the system substitutes.
bool LoadFontSnippet(const std::string& xml);

// The family the program's fontconfig snippet gives the system's default face (a CJK sans)
// for a font record without a face, and for the default GUI font.
inline constexpr const char* kDefaultFamily = "deskwatch-sans";
inline constexpr int kGuiFontPixels = 12;

class TextDrawer {
 public:
  TextDrawer();
  ~TextDrawer();
  TextDrawer(const TextDrawer&) = delete;
  TextDrawer& operator=(const TextDrawer&) = delete;

  // Draws UTF-8 text in the box (0,0)-(width,height) of `cr`, clipped to it, shifted by
  // (dx, dy). A caller that draws the same place again and again (a control) gives a slot
  // number: its laid-out text is kept there and only laid out again when it changed.
  void Draw(cairo_t* cr, const std::string& utf8, const ui::FontSpec& font, ui::Colour colour,
            const ui::TextPlan& plan, int width, int height, int dx = 0, int dy = 0, int slot = -1);
  // The size of the text laid out at most `wrapWidth` wide (0: no wrap).
  void Measure(const std::string& utf8, const ui::FontSpec& font, int wrapWidth, int& width,
               int& height);

 private:
  PangoLayout* Layout(const std::string& utf8, const ui::FontSpec& font, int wrapWidth,
                      ui::HAlign align);
  // A layout for the slot, reused while the font and the wrapping stay the same; one
  // reference for the caller.
  PangoLayout* SlotLayout(int slot, const std::string& utf8, const ui::FontSpec& font,
                          int wrapWidth, ui::HAlign align);

  struct Slot {
    PangoLayout* layout = nullptr;  // the current text's
    const ui::FontSpec* font = nullptr;
    int wrapWidth = 0;
    ui::HAlign align = ui::HAlign::Left;
    std::string text;
    // Short one-line texts laid out before (a clock's seconds come round every minute),
    // a bounded few.
    std::map<std::string, PangoLayout*> seen;
  };
  static void Clear(Slot& s);
  PangoContext* context_ = nullptr;
  bool contextUpdated_ = false;
  std::map<int, Slot> slots_;
};

}  // namespace dw::x11
