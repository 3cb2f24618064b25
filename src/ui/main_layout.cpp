// The fixed layout: one record per control, in layout order, which is also the stacking
// order (first on top). Every run starts from exactly this.
#include "ui/main_layout.h"

#include <array>

namespace dw::ui {
namespace {

constexpr Colour kFace = 0xF0E6DF;  // the pale face colour of the watch picture

// Fonts of the layout (LOGFONT fields).
constexpr FontSpec kBold12Gb{12, 700, 134, 0, 0, 0, 0, "", false};
constexpr FontSpec kHeiti12Bold{12, 700, 0, 3, 2, 1, 0x31, "黑体", false};
constexpr FontSpec kHeiti12{12, 400, 0, 3, 2, 1, 0x31, "黑体", false};
constexpr FontSpec kNormal12Gb{12, 400, 134, 0, 0, 0, 0, "", false};
constexpr FontSpec kLcd48{48, 400, 0, 3, 2, 1, 0x52, "LcdD", false};
constexpr FontSpec kLcd20{20, 400, 0, 3, 2, 1, 0x52, "LcdD", false};
constexpr FontSpec kGuiDefault{0, 400, 0, 0, 0, 0, 0, "", true};

constexpr ControlRecord Timer(const char* name, int l, int t, int w, int h) {
  ControlRecord r{name, ControlClass::Timer, l, t, w, h, false, false};
  return r;
}
constexpr ControlRecord Button(const char* name, int l, int t, const char* caption,
                               const char* tip, bool isDefault) {
  ControlRecord r{name, ControlClass::SuperBtn, l, t, 56, 24, true, true};
  r.caption = caption;
  r.tip = tip;
  r.textColour = kFace;
  r.background = kFace;
  r.font = kHeiti12;
  r.isDefault = isDefault;
  return r;
}
constexpr ControlRecord Label(const char* name, int l, int t, int w, int h, const char* caption,
                              Colour background, FontSpec font, HAlign align, bool singleLine) {
  ControlRecord r{name, ControlClass::Label, l, t, w, h, true, false};
  r.caption = caption;
  r.textColour = 0x000000;
  r.background = background;
  r.font = font;
  r.align = align;
  r.singleLine = singleLine;
  return r;
}
constexpr ControlRecord PicBox(const char* name, int l, int t, int w, int h, Colour background) {
  ControlRecord r{name, ControlClass::PicBox, l, t, w, h, true, false};
  r.background = background;
  r.displayMode = 1;
  return r;
}

constexpr HAlign C = HAlign::Centre;

const std::array<ControlRecord, 17> kLayout = {
    Timer(name::kWeatherTimer, 120, 136, 24, 24),
    Button(name::kPeriodUp, 56, 184, "天气↑", "增加时钟周期,当前:2分钟刷新一次", true),
    Button(name::kPeriodDown, 56, 160, "天气↓", "降低时钟周期,当前:2分钟刷新一次", false),
    PicBox(name::kWeatherIcon, 227, 64, 22, 22, kDefaultColour),
    Label(name::kWeatherNow, 146, 44, 62, 16, "NNNN", kFace, kBold12Gb, C, false),
    Label(name::kWeatherRange, 184, 62, 44, 27, "N°△\r\nN°△", kFace, kHeiti12Bold, C, false),
    Label(name::kWeatherTemp, 148, 62, 36, 27, "NN℃", kFace, kBold12Gb, C, false),
    Label(name::kCreditTop, 120, 24, 88, 13, "deskwatch", kDefaultColour, kNormal12Gb, C, false),
    Label(name::kCreditBottom, 128, 308, 88, 13, "by:brenok", kDefaultColour, kNormal12Gb, C,
          false),
    Button(name::kAlphaUp, 56, 136, "透明度↑", "增加透明度", false),
    Button(name::kAlphaDown, 56, 112, "透明度↓", "降低透明度", false),
    Label(name::kTime, 112, 100, 112, 48, "11:11", kFace, kLcd48, C, true),
    Label(name::kSeconds, 224, 104, 48, 44, "59", kFace, kLcd20, C, true),
    ControlRecord{name::kCalendar, ControlClass::CnMonthCalendar, 473, -16, 365, 262, true, true},
    Label(name::kDate, 222, 160, 72, 48, "标签", kFace, kGuiDefault, HAlign::Left, false),
    PicBox(name::kAnimation, 128, 152, 78, 78, kFace),
    Timer(name::kClockTimer, 280, 288, 56, 56),
};

const WindowRecord kWindow{};

}  // namespace

const WindowRecord& MainWindowLayout() { return kWindow; }
std::span<const ControlRecord> MainLayout() { return kLayout; }

}  // namespace dw::ui
