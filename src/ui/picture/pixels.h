// Pixel helpers shared by the loaders: opaque ARGB32 words and the one alpha-mixing rule.
#pragma once

#include <cstdint>

#include "ui/layout.h"

namespace dw::ui::detail {

struct Rgb {
  int r = 0, g = 0, b = 0;
};

inline Rgb RgbOf(Colour colour) {
  Colour c = ResolveColour(colour);
  return {Red(c), Green(c), Blue(c)};
}

inline std::uint32_t Argb(int r, int g, int b) {
  return 0xFF000000u | (static_cast<std::uint32_t>(r) << 16) |
         (static_cast<std::uint32_t>(g) << 8) | static_cast<std::uint32_t>(b);
}

// A colour channel c with alpha a over backdrop channel b: a/255·c + (1 − a/255)·b, truncated
// toward zero and clamped. Computed exactly in integers, so a = 255 keeps c and a = 0 gives b.
inline int MixChannel(int c, int a, int b) {
  int v = (a * c + (255 - a) * b) / 255;
  return v < 0 ? 0 : (v > 255 ? 255 : v);
}

inline std::uint32_t MixOver(int r, int g, int b, int a, Rgb backdrop) {
  if (a >= 255) return Argb(r, g, b);
  return Argb(MixChannel(r, a, backdrop.r), MixChannel(g, a, backdrop.g),
              MixChannel(b, a, backdrop.b));
}

inline int ChannelR(std::uint32_t argb) {
  return (argb >> 16) & 0xFF;
}
inline int ChannelG(std::uint32_t argb) {
  return (argb >> 8) & 0xFF;
}
inline int ChannelB(std::uint32_t argb) {
  return argb & 0xFF;
}

}  // namespace dw::ui::detail
