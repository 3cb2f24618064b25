// The fixed layout of the main window and its seventeen controls, as data.
// Captions and tips are written here in UTF-8; the control model keeps them as GBK texts.
#pragma once

#include <cstdint>
#include <span>

namespace dw::ui {

// COLORREF 0x00BBGGRR; kDefaultColour means the system's button-face colour.
using Colour = std::uint32_t;
inline constexpr Colour kDefaultColour = 0xFF000000;
// The button-face colour of the platform (Windows' standard COLOR_BTNFACE).
inline constexpr Colour kButtonFace = 0xF0F0F0;
inline constexpr Colour ResolveColour(Colour c) { return c == kDefaultColour ? kButtonFace : c; }
inline constexpr int Red(Colour c) { return c & 0xFF; }
inline constexpr int Green(Colour c) { return (c >> 8) & 0xFF; }
inline constexpr int Blue(Colour c) { return (c >> 16) & 0xFF; }

enum class ControlClass { Label, PicBox, Timer, SuperBtn, CnMonthCalendar };
enum class HAlign { Left, Centre };

// LOGFONT-style font: height in pixels, weight, character set (0 ANSI, 134 GB2312), the
// precision/quality/pitch bytes and a face name (empty: the system default for the charset).
struct FontSpec {
  int height = 12;
  int weight = 400;
  int charset = 0;
  int outPrecision = 0, clipPrecision = 0, quality = 0, pitchAndFamily = 0;
  const char* face = "";
  bool guiDefault = false;  // the system's default GUI font instead of the fields above
};

struct ControlRecord {
  const char* name;  // the layout name, also the child window's _NET_WM_NAME
  ControlClass cls;
  int left, top, width, height;  // client coordinates of the main window
  bool visible;
  bool tabStop;
  const char* caption = "";  // label / button caption (UTF-8)
  const char* tip = "";      // button tip (UTF-8)
  Colour textColour = 0x000000;
  Colour background = kDefaultColour;
  FontSpec font = {};
  HAlign align = HAlign::Centre;
  bool singleLine = false;  // single line, centred vertically; else wrapped from the top
  bool isDefault = false;   // the button Enter clicks
  int displayMode = 1;      // picture box: 0 natural, 1 stretched, 2 fit
};

struct WindowRecord {
  int width = 340, height = 341;  // outer size
  int frame = 3;                  // thin fixed dialog frame on each side
  Colour background = kDefaultColour;
};

}  // namespace dw::ui
