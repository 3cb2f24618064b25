// Views of the embedded pictures; the byte arrays are generated from assets/ at build time.
#include "assets/assets.h"

#include <cstddef>

namespace dw::assets {
namespace data {
extern const std::uint8_t kBackground[];
extern const std::size_t kBackgroundSize;
extern const std::uint8_t kShape[];
extern const std::size_t kShapeSize;
extern const std::uint8_t kAnimation[];
extern const std::size_t kAnimationSize;
}  // namespace data

std::span<const std::uint8_t> BackgroundPicture() {
  return {data::kBackground, data::kBackgroundSize};
}
std::span<const std::uint8_t> ShapePicture() {
  return {data::kShape, data::kShapeSize};
}
std::span<const std::uint8_t> AnimationPicture() {
  return {data::kAnimation, data::kAnimationSize};
}

}  // namespace dw::assets
