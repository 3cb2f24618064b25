// Any bytes through sniffing, full decoding (natural size and scaled to a picture box), the
// first frame alone and the window shape: a defined result, never a crash or a hang.
#include <cstddef>
#include <cstdint>

#include "ui/picture/picture.h"
#include "ui/picture/shape.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const dw::ByteSet bytes(data, data + size);
  if (dw::ui::SniffPicture(bytes) == dw::ui::PictureFormat::None) return 0;
  const auto whole = dw::ui::DecodePicture(bytes, 0xF0E6DF);
  const auto boxed = dw::ui::DecodePicture(bytes, dw::ui::kDefaultColour, dw::ui::Size{22, 22});
  const auto first = dw::ui::DecodeFirstFrame(bytes, 0xF0E6DF);
  // A picture that decodes decodes the same whichever entry point reads it (an icon may pick
  // another of its images for the box's size). The first frame alone may show for a file
  // whose later frames are broken.
  const auto format = dw::ui::SniffPicture(bytes);
  const bool icon =
      format == dw::ui::PictureFormat::Icon || format == dw::ui::PictureFormat::Cursor;
  if (!icon && whole.has_value() != boxed.has_value()) __builtin_trap();
  if (whole && (!first || whole->frames.front().argb != first->argb)) __builtin_trap();
  const auto shape = dw::ui::ShapeFromPicture(bytes);
  if (shape.has_value() != whole.has_value()) __builtin_trap();
  return 0;
}
