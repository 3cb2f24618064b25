// Windows bitmap files: a 14-byte file header, then a device-independent bitmap. Bitmaps
// are opaque; an alpha byte in 32-bit pixels is not used.
#include "ui/picture/byte_reader.h"
#include "ui/picture/loaders.h"
#include "ui/picture/pixels.h"

namespace dw::ui::detail {

std::optional<Picture> LoadBmp(Bytes bytes, const DecodeRequest& request) {
  constexpr std::size_t kFileHeader = 14;
  ByteReader in(bytes);
  in.Skip(10);
  const std::uint32_t pixelOffset = in.U32();
  if (!in.ok()) return std::nullopt;
  const std::size_t offset = pixelOffset > kFileHeader ? pixelOffset - kFileHeader : 0;
  std::optional<DibImage> dib = ReadDib(bytes.subspan(kFileHeader), offset, false);
  if (!dib) return std::nullopt;
  Frame frame;
  frame.width = dib->width;
  frame.height = dib->height;
  frame.argb.resize(static_cast<std::size_t>(dib->width) * dib->height);
  for (std::size_t i = 0; i < frame.argb.size(); ++i)
    frame.argb[i] = Argb(dib->rgba[i * 4], dib->rgba[i * 4 + 1], dib->rgba[i * 4 + 2]);
  Picture picture;
  KeepFrame(picture, std::move(frame), request);
  return picture;
}

}  // namespace dw::ui::detail
