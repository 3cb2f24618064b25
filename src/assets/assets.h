// The three pictures of the widget, compiled into the program from assets/.
#pragma once

#include <cstdint>
#include <span>

namespace dw::assets {

std::span<const std::uint8_t> BackgroundPicture();  // 340 × 340 PNG watch face
std::span<const std::uint8_t> ShapePicture();       // 340 × 340 PNG, white outside the disc
std::span<const std::uint8_t> AnimationPicture();   // 534 × 598 animated GIF, 71 frames

}  // namespace dw::assets
