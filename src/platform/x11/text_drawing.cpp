#include "platform/x11/text_drawing.h"

#include <fontconfig/fontconfig.h>

#include "platform/x11/canvas.h"

namespace dw::x11 {

bool LoadFontSnippet(const std::string& xml) {
  FcConfig* config = FcConfigGetCurrent();
  if (!config) return false;
  return FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(xml.c_str()),
                                        FcTrue) == FcTrue;
}

TextDrawer::TextDrawer() {
  PangoFontMap* map = pango_cairo_font_map_get_default();
  context_ = pango_font_map_create_context(map);
  // Text is drawn on screen pixels: font sizes are pixel sizes, no scaling by resolution.
  pango_cairo_context_set_resolution(context_, 96.0);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  pango_cairo_context_set_font_options(context_, options);
  cairo_font_options_destroy(options);
  pango_context_set_language(context_, pango_language_from_string("zh-cn"));
}

TextDrawer::~TextDrawer() {
  for (auto& [slot, s] : slots_) Clear(s);
  if (context_) g_object_unref(context_);
}

namespace {
// No control shows more than a few hundred characters, but a caption may be megabytes (a
// page's field that runs to a late end marker); pango's time and memory grow with the whole
// text at every paint, so only a head that covers any box is laid out.
constexpr std::size_t kMaxLaidOutBytes = 4096;

std::string VisibleHead(const std::string& utf8) {
  if (utf8.size() <= kMaxLaidOutBytes) return utf8;
  std::size_t end = kMaxLaidOutBytes;
  while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) --end;
  return utf8.substr(0, end);
}
}  // namespace

void TextDrawer::Clear(Slot& s) {
  for (auto& [text, layout] : s.seen) g_object_unref(layout);
  s.seen.clear();
  if (s.layout) g_object_unref(s.layout);
  s.layout = nullptr;
}

PangoLayout* TextDrawer::SlotLayout(int slot, const std::string& utf8, const ui::FontSpec& font,
                                    int wrapWidth, ui::HAlign align) {
  constexpr std::size_t kShortText = 32, kKeptLayouts = 64;
  Slot& s = slots_[slot];
  if (!s.layout || s.font != &font || s.wrapWidth != wrapWidth || s.align != align) {
    Clear(s);
    s = Slot{Layout(utf8, font, wrapWidth, align), &font, wrapWidth, align, utf8, {}};
  } else if (s.text != utf8) {
    const bool keep = wrapWidth == 0 && utf8.size() <= kShortText && s.text.size() <= kShortText;
    if (keep) {
      if (s.seen.size() >= kKeptLayouts) {
        for (auto& [text, layout] : s.seen) g_object_unref(layout);
        s.seen.clear();
      }
      s.seen.emplace(s.text, s.layout);  // the slot's reference moves there
      auto it = s.seen.find(utf8);
      if (it != s.seen.end()) {
        s.layout = it->second;
        s.seen.erase(it);
      } else {
        s.layout = Layout(utf8, font, wrapWidth, align);
      }
    } else {
      const std::string text = ui::DisplayLineBreaks(VisibleHead(utf8));
      pango_layout_set_text(s.layout, text.data(), static_cast<int>(text.size()));
    }
    s.text = utf8;
  }
  g_object_ref(s.layout);
  return s.layout;
}

namespace {
int PixelsOf(const ui::FontSpec& font) {
  return font.guiDefault ? kGuiFontPixels : (font.height > 0 ? font.height : kGuiFontPixels);
}

PangoFontDescription* Describe(const ui::FontSpec& font) {
  PangoFontDescription* d = pango_font_description_new();
  const char* family = (font.guiDefault || !font.face || !*font.face) ? kDefaultFamily : font.face;
  pango_font_description_set_family(d, family);
  pango_font_description_set_absolute_size(d, PixelsOf(font) * PANGO_SCALE);
  pango_font_description_set_weight(
      d, font.guiDefault ? PANGO_WEIGHT_NORMAL : static_cast<PangoWeight>(font.weight));
  return d;
}
}  // namespace

PangoLayout* TextDrawer::Layout(const std::string& utf8, const ui::FontSpec& font, int wrapWidth,
                                ui::HAlign align) {
  PangoLayout* layout = pango_layout_new(context_);
  PangoFontDescription* d = Describe(font);
  pango_layout_set_font_description(layout, d);
  pango_font_description_free(d);
  const std::string text = ui::DisplayLineBreaks(VisibleHead(utf8));
  pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
  // Lines one character height apart, as the system's Chinese faces space them (their
  // line height is their character height), so two lines of 12 pixels fit 27 pixels.
  PangoAttrList* attrs = pango_attr_list_new();
  pango_attr_list_insert(attrs, pango_attr_line_height_new_absolute(PixelsOf(font) * PANGO_SCALE));
  pango_layout_set_attributes(layout, attrs);
  pango_attr_list_unref(attrs);
  if (wrapWidth > 0) {
    pango_layout_set_width(layout, wrapWidth * PANGO_SCALE);
    // Words first; a word longer than the line, and CJK text, break between characters.
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
  }
  pango_layout_set_alignment(layout,
                             align == ui::HAlign::Centre ? PANGO_ALIGN_CENTER : PANGO_ALIGN_LEFT);
  return layout;
}

void TextDrawer::Measure(const std::string& utf8, const ui::FontSpec& font, int wrapWidth,
                         int& width, int& height) {
  PangoLayout* layout = Layout(utf8, font, wrapWidth, ui::HAlign::Left);
  pango_layout_get_pixel_size(layout, &width, &height);
  g_object_unref(layout);
}

void TextDrawer::Draw(cairo_t* cr, const std::string& utf8, const ui::FontSpec& font,
                      ui::Colour colour, const ui::TextPlan& plan, int width, int height, int dx,
                      int dy, int slot) {
  if (utf8.empty()) return;
  // Every target is a surface of the same screen at scale 1: the context is brought in line
  // with the first one only, since any change to it would make every kept layout shape its
  // text again.
  if (!contextUpdated_) {
    pango_cairo_update_context(cr, context_);
    contextUpdated_ = true;
  }
  PangoLayout* layout = slot >= 0 ? SlotLayout(slot, utf8, font, plan.wrap ? width : 0, plan.align)
                                  : Layout(utf8, font, plan.wrap ? width : 0, plan.align);
  int tw = 0, th = 0;
  pango_layout_get_pixel_size(layout, &tw, &th);
  ui::BlockOrigin o = ui::PlaceTextBlock(plan, width, height, tw, th);
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, width, height);
  cairo_clip(cr);
  SetSource(cr, colour);
  cairo_move_to(cr, o.x + dx, o.y + dy);
  pango_cairo_show_layout(cr, layout);
  cairo_restore(cr);
  g_object_unref(layout);
}

}  // namespace dw::x11
